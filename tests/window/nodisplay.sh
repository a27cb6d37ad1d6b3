#!/bin/sh
# Without a display, or started in a folder whose path is too long to
# return to, the game says why on stderr and exits non-zero, without
# crashing.
# usage: nodisplay.sh GAME
game=$1
tmp=$(mktemp -d /tmp/trusvane-nodisplay-XXXXXX) || exit 1
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/home" "$tmp/start"
cd "$tmp/start" || exit 1
env -u DISPLAY HOME="$tmp/home" SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null \
	"$game" >"$tmp/stdout" 2>"$tmp/stderr"
status=$?
if [ "$status" -eq 0 ] || [ "$status" -ge 128 ]; then
	echo "FAIL: exit status $status" >&2
	exit 1
fi
if ! [ -s "$tmp/stderr" ]; then
	echo "FAIL: no message on stderr" >&2
	exit 1
fi
echo "ok: $(cat "$tmp/stderr")"

long=$(printf '%0100d' 0)
mkdir -p "$long/$long/$long/$long/$long/$long" && cd "$long/$long/$long/$long/$long/$long" || exit 1
HOME="$tmp/home" ALSOFT_DRIVERS=null "$game" >"$tmp/stdout" 2>"$tmp/stderr"
status=$?
if [ "$status" -eq 0 ] || [ "$status" -ge 128 ] || ! [ -s "$tmp/stderr" ]; then
	echo "FAIL: a start folder of over 600 characters: exit status $status" >&2
	exit 1
fi
echo "ok: $(cat "$tmp/stderr")"
