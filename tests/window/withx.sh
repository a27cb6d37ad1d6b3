#!/bin/sh
# Runs one program under the window fixture (private Xvfb, temporary HOME
# and start folder) and passes on its exit status and output.
# usage: withx.sh PROGRAM [ARGUMENTS...]
. "$(dirname "$0")/fixture.sh"
window_setup
cd "$TV_TMP/start" || exit 1
"$@"
