#!/bin/sh
# The bridge file browser from the bridge editor: with Autosave off,
# "Save Bridge?" answered Yes opens it; a name typed into its box saves the
# bridge under that name in the pack's profile folder. The next time the
# saved name is chosen from the list, so a bigger bridge replaces it, and
# the third time Delete removes it. The colours menu sets a default colour.
# usage: bridgefiles.sh GAME TVWINDOW TVBRIDGE
game=$1
tvwindow=$2
tvbridge=$3
. "$(dirname "$0")/fixture.sh"
window_setup
. "$(dirname "$0")/drive.sh"

# The bridge "mine" no longer as the first save left it.
minereplaced()
{
	[ "$(bridgecounts mine)" != "6 2" ]
}

# Escape, then Yes to "Save Bridge?": the browser with its "Bridge" heading.
openbrowser()
{
	press Escape
	press y
	waitlit 1 30 320 44 80 20 || fail "no bridge file browser ($1)"
	sleep 0.5
}

game_settings
game_start "$game"
press s

# A name typed into the box: f selects the whole name, so typing replaces it.
openeditor first
click 520 436
clickworld 1260 320
clickworld 1270 320
openbrowser first
press f
for letter in m i n e; do
	press $letter
done
press Return
press s
waituntil 10 test -f "$bridges/mine.tvb"
[ "$(bridgecounts mine)" = "6 2" ] || fail "saved bridge has $(bridgecounts mine), not 6 points and 2 links"
[ ! -f "$bridges/demo1.tvb" ] || fail "the level's own name was saved as well"

# The saved name chosen from the list: the first row of the bridge column.
openeditor second
clickworld 1260 320
clickworld 1270 320
clickworld 1280 320
openbrowser second
click 330 70
press s
waituntil 10 minereplaced
[ "$(bridgecounts mine)" = "8 4" ] || fail "bridge chosen from the list has $(bridgecounts mine), not 8 points and 4 links"
[ "$(ls "$bridges")" = "mine.tvb" ] || fail "other files beside mine.tvb: $(ls "$bridges")"

# Delete removes the chosen bridge; Cancel then leaves without a save.
openeditor third
openbrowser third
click 330 70
click 600 468
press Escape
waituntil 10 test ! -f "$bridges/mine.tvb" || fail "Delete left mine.tvb"
waitlit 1 30 200 0 240 20 || fail "Cancel did not leave the editor"
[ -z "$(ls "$bridges")" ] || fail "Cancel saved $(ls "$bridges")"

# The colours: the first hydraulic kind's red dragged to the middle of its
# bar with Ctrl (snapped to 0.5) and kept as the default, which the
# settings file holds once the game ends; Iron's default stays.
openeditor fourth
click 530 34
waitlit 1 30 400 80 112 112 || fail "no colours menu"
press 6
xdotool keydown Control_L
click 195 80
xdotool keyup Control_L
press s
press Escape
waitlit 1 30 512 150 128 40 || fail "Exit did not leave the colours menu"
press Escape
press n
waitlit 1 30 200 0 240 20 || fail "not back in the map pack menu after the colours"

game_close
hw="$settings/hwconfig.txt"
grep -q "^materialcolorred8=0.500000" "$hw" || fail "hydraulic red default not 0.5: $(grep materialcolorred8 "$hw")"
grep -q "^materialcolorred3=0.350000" "$hw" || fail "Iron's red default changed: $(grep materialcolorred3 "$hw")"
echo "ok"
