#!/bin/sh
# Builds the game and its generated demo data, then starts it in the
# generated start folder.
set -e
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
cd build/start
exec ../game/trusvane
