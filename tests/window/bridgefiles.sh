#!/bin/sh
# The bridge file browser from the bridge editor: with Autosave off,
# "Save Bridge?" answered Yes opens it; a name typed into its box saves the
# bridge under that name in the pack's profile folder. The next time the
# saved name is chosen from the list, so a bigger bridge replaces it, and
# the third time Delete removes it. The colours menu sets a default colour.
# usage: bridgefiles.sh GAME TVWINDOW TVLIT TVBRIDGE
game=$1
tvwindow=$2
tvlit=$3
tvbridge=$4
. "$(dirname "$0")/fixture.sh"
window_setup

settings="$HOME/.Trusvane Demo"
mkdir -p "$settings"
printf 'version=7\r\nscreenwidth=640\r\nscreenheight=480\r\nbackground=0\r\n' \
	>"$settings/hwconfig.txt"
bridges="$settings/profile/default/demo"

# press KEY: held long enough for a slow frame (software rendering under
# the sanitizers) to see it down.
press()
{
	xdotool keydown "$1"
	sleep 0.6
	xdotool keyup "$1"
	sleep 0.5
}

click()
{
	xdotool mousemove --window "$window" --sync "$1" "$2"
	sleep 0.3
	xdotool mousedown 1
	sleep 0.6
	xdotool mouseup 1
	sleep 0.5
}

lit()
{
	"$tvlit" Trusvane "$@" || fail "could not read the window"
}

waitlit()
{
	min=$1
	tries=$(($2 * 4))
	shift 2
	while [ "$(lit "$@")" -lt "$min" ]; do
		tries=$((tries - 1))
		[ $tries -gt 0 ] || return 1
		sleep 0.25
	done
}

# The editor's camera maps world x and y on the editing plane to 3.2
# pixels a unit around the window's centre (256, 240).
clickworld()
{
	click $((256 + 16 * ($1 - 1280) / 5)) $((240 - 16 * ($2 - 360) / 5))
}

bridgecounts()
{
	"$tvbridge" "$bridges" "$1" || echo "none"
}

waitfile()
{
	tries=0
	while [ ! -f "$1" ] && [ $tries -lt 40 ]; do
		tries=$((tries + 1))
		sleep 0.25
	done
}

# From the map pack menu into the editor on the first level.
openeditor()
{
	waitlit 1 30 200 0 240 20 || fail "no map pack menu ($1)"
	click 20 70
	waitlit 10000 30 400 120 230 140 || fail "no level preview ($1)"
	press e
	waitlit 1 30 512 150 128 40 || fail "no editor ($1)"
	sleep 1
}

# Escape, then Yes to "Save Bridge?": the browser with its "Bridge" heading.
openbrowser()
{
	press Escape
	press y
	waitlit 1 30 320 44 80 20 || fail "no bridge file browser ($1)"
	sleep 0.5
}

window_start "$game"
"$tvwindow" wait Trusvane 30 >/dev/null || fail "no game window"
window=$(xdotool search --name '^Trusvane$' | head -n 1)
[ -n "$window" ] || fail "no window id"
xdotool windowfocus --sync "$window" 2>/dev/null

waitlit 20000 60 0 0 640 480 || fail "no main menu"
sleep 1
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
waitfile "$bridges/mine.tvb"
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
tries=0
while [ "$(bridgecounts mine)" = "6 2" ] && [ $tries -lt 40 ]; do
	tries=$((tries + 1))
	sleep 0.25
done
[ "$(bridgecounts mine)" = "8 4" ] || fail "bridge chosen from the list has $(bridgecounts mine), not 8 points and 4 links"
[ "$(ls "$bridges")" = "mine.tvb" ] || fail "other files beside mine.tvb: $(ls "$bridges")"

# Delete removes the chosen bridge; Cancel then leaves without a save.
openeditor third
openbrowser third
click 330 70
click 600 468
press Escape
tries=0
while [ -f "$bridges/mine.tvb" ] && [ $tries -lt 40 ]; do
	tries=$((tries + 1))
	sleep 0.25
done
[ ! -f "$bridges/mine.tvb" ] || fail "Delete left mine.tvb"
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

"$tvwindow" close Trusvane || fail "could not close the window"
window_wait_exit 30
[ "$status" -eq 0 ] || fail "exit status $status"
hw="$settings/hwconfig.txt"
grep -q "^materialcolorred8=0.500000" "$hw" || fail "hydraulic red default not 0.5: $(grep materialcolorred8 "$hw")"
grep -q "^materialcolorred3=0.350000" "$hw" || fail "Iron's red default changed: $(grep materialcolorred3 "$hw")"
echo "ok"
