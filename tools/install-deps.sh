#!/bin/sh
# Installs the Debian packages that building, playing and testing need.
# Runs apt-get only when something is missing; uses sudo when not root.
set -e

packages="build-essential cmake pkg-config
libsdl1.2-dev libgl1-mesa-dev libglu1-mesa-dev libopenal-dev libx11-dev
libgtest-dev libgmock-dev googletest libbenchmark-dev
libfreetype-dev fonts-dejavu-core
xvfb xauth xdotool x11-utils x11-xkb-utils xkb-data libgl1-mesa-dri"

missing=""
for p in $packages; do
	if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
		missing="$missing $p"
	fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
	sudo=""
else
	sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends $missing
