#!/bin/sh
# The bridge editor in the game: from the first level's preview Edit opens
# it; three clicks along the road lay two road-deck pieces between the
# planes, a test run leaves them as they are, Undo takes the second back,
# and Escape leaves with the automatic save into the profile. With Autosave off Escape asks "Save Bridge?",
# Escape cancels the question and No leaves without saving.
# usage: editorscreen.sh GAME TVWINDOW TVLIT TVBRIDGE
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

# The camera looks from (1280, 360, 1365) at the editing plane 80 units
# away, so world x and y on the plane map to 3.2 pixels a unit around the
# window's centre (256, 240).
clickworld()
{
	click $((256 + 16 * ($1 - 1280) / 5)) $((240 - 16 * ($2 - 360) / 5))
}

bridgecounts()
{
	"$tvbridge" "$bridges" demo1 || fail "no saved bridge"
}

window_start "$game"
"$tvwindow" wait Trusvane 30 >/dev/null || fail "no game window"
window=$(xdotool search --name '^Trusvane$' | head -n 1)
[ -n "$window" ] || fail "no window id"
xdotool windowfocus --sync "$window" 2>/dev/null

waitlit 20000 60 0 0 640 480 || fail "no main menu"
sleep 1
press s
waitlit 1 30 200 0 240 20 || fail "no map pack menu"
click 20 70
waitlit 10000 30 400 120 230 140 || fail "no level preview"
press e
# The editor's material strip right of the view.
waitlit 1 30 512 150 128 40 || fail "no editor"
sleep 1

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
tries=0
while [ ! -f "$bridges/demo1.tvb" ] && [ $tries -lt 40 ]; do
	tries=$((tries + 1))
	sleep 0.25
done
# The four anchors, two new points and one deck piece of two deck links.
[ "$(bridgecounts)" = "6 2" ] || fail "saved bridge has $(bridgecounts), not 6 points and 2 links"

# Back in the map pack menu: the same level again, now with the saved
# bridge, and the editor without Autosave. Escape asks and Escape cancels,
# so No does nothing; Escape asks again and No leaves without saving.
waitlit 1 30 200 0 240 20 || fail "not back in the map pack menu"
click 20 70
waitlit 10000 30 400 120 230 140 || fail "no level preview the second time"
press e
waitlit 1 30 512 150 128 40 || fail "no editor the second time"
sleep 1
click 520 436
clickworld 1270 320
clickworld 1280 320
press Escape
press Escape
press n
sleep 1
[ "$(lit 400 120 230 140)" -gt 0 ] || fail "the cancelled question left the editor"
press Escape
press n
tries=0
while [ "$(lit 400 120 230 140)" -gt 0 ] && [ $tries -lt 40 ]; do
	tries=$((tries + 1))
	sleep 0.25
done
[ "$(lit 400 120 230 140)" -eq 0 ] || fail "No did not leave the editor"
[ "$(bridgecounts)" = "6 2" ] || fail "leaving without saving changed the saved bridge"

"$tvwindow" close Trusvane || fail "could not close the window"
window_wait_exit 30
[ "$status" -eq 0 ] || fail "exit status $status"
grep -q "^autosave=0" "$settings/settings.txt" || fail "Autosave off not kept in settings.txt"
echo "ok"
