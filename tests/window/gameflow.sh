#!/bin/sh
# The game from its main menu: Start Game opens the demo pack's map pack
# menu, the first level opens the level preview with its turning 3D view,
# Edit opens the bridge editor and Simulate the test screen, where Slow is
# switched on; Escape walks back out, and a window close ends the game with
# both settings files written (Slow among the settings) and the pack's
# progress kept in the profile.
# usage: gameflow.sh GAME TVWINDOW
game=$1
tvwindow=$2
. "$(dirname "$0")/fixture.sh"
window_setup
. "$(dirname "$0")/drive.sh"

game_settings
game_start "$game"
press s
# The map pack menu on black: its title line, the level list, nothing right
# of the list where the preview would turn.
waitlit 1 30 200 0 240 20 || fail "no map pack menu title"
unlit 400 120 230 140 || fail "map pack menu is not on black"
[ -d "$settings/profile/default" ] || fail "no profile folder"

click 20 70
waitlit 10000 30 400 120 230 140 || fail "no level preview after choosing level 1"

# The editor, the test screen, Slow on, and back to editing; leaving the
# editor without saving returns to the map pack menu.
press e
sleep 1
press t
sleep 2
press l
press Escape
sleep 1
press Escape
press n
waitlit 1 30 200 0 240 20 || fail "not back in the map pack menu"
unlit 400 120 230 140 || fail "preview still shown"
press Escape
waituntil 15 test -f "$settings/profile/default/demo.tvm" ||
	fail "pack progress not written to the profile"

game_close
[ -f "$settings/hwconfig.txt" ] || fail "no hwconfig.txt"
[ -f "$settings/settings.txt" ] || fail "no settings.txt"
grep -q "^screenwidth=640" "$settings/hwconfig.txt" || fail "hwconfig.txt not written back"
grep -q "^slow=1" "$settings/settings.txt" || fail "Slow from the test screen not saved"
echo "ok"
