#!/bin/sh
# The bridge editor in the game: from the first level's preview Edit opens
# it; three clicks along the road lay two road-deck pieces between the
# planes, a test run leaves them as they are, Undo takes the second back,
# and Escape leaves with the automatic save into the profile. With Autosave off Escape asks "Save Bridge?",
# Escape cancels the question and No leaves without saving. With Autosave
# on again, closing the window while editing keeps the bridge as well.
# usage: editorscreen.sh GAME TVWINDOW TVBRIDGE
game=$1
tvwindow=$2
tvbridge=$3
. "$(dirname "$0")/fixture.sh"
window_setup
. "$(dirname "$0")/drive.sh"

game_settings
game_start "$game"
press s
openeditor first

clickworld 1260 320
clickworld 1270 320
clickworld 1280 320
# Simulate and back by Edit: the bridge comes back unchanged.
press t
sleep 2
press Escape
sleep 1
press u
press Escape
waituntil 10 test -f "$bridges/demo1.tvb"
# The four anchors, two new points and one deck piece of two deck links.
[ "$(bridgecounts demo1)" = "6 2" ] || fail "saved bridge has $(bridgecounts demo1), not 6 points and 2 links"

# Back in the map pack menu: the same level again, now with the saved
# bridge, and the editor without Autosave. Escape asks and Escape cancels,
# so No does nothing; Escape asks again and No leaves without saving.
openeditor second
click 520 436
clickworld 1270 320
clickworld 1280 320
press Escape
press Escape
press n
sleep 1
litatleast 1 400 120 230 140 || fail "the cancelled question left the editor"
press Escape
press n
waituntil 10 unlit 400 120 230 140 || fail "No did not leave the editor"
[ "$(bridgecounts demo1)" = "6 2" ] || fail "leaving without saving changed the saved bridge"

game_close
grep -q "^autosave=0" "$settings/settings.txt" || fail "Autosave off not kept in settings.txt"

game_start "$game"
press s
openeditor third
click 520 436
clickworld 1270 320
clickworld 1280 320
game_close
[ "$(bridgecounts demo1)" = "8 4" ] || fail "closing the window with Autosave on kept $(bridgecounts demo1), not 8 points and 4 links"
echo "ok"
