#!/bin/sh
# The tutorial in the game: the main menu's Tutorial opens the list of
# lessons, key 1 starts the first lesson in the bridge editor with its
# first hint, and a click on the anchor the arrow points at moves the hint
# on. The hint lines are drawn in the menu text colour, set here to a
# magenta that the 3D view does not show, and counted in their rows.
# usage: tutorial.sh GAME TVWINDOW TVLIT TVTINT
game=$1
tvwindow=$2
tvlit=$3
tvtint=$4
. "$(dirname "$0")/fixture.sh"
window_setup

settings="$HOME/.Trusvane Demo"
mkdir -p "$settings"
printf 'version=7\r\nscreenwidth=640\r\nscreenheight=480\r\nbackground=0\r\ntextcolor1=1.000000\r\ntextcolor2=0.000000\r\ntextcolor3=1.000000\r\n' \
	>"$settings/hwconfig.txt"

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

# Magenta pixels in the three hint rows under the view.
hint()
{
	"$tvtint" Trusvane 0 404 320 42 ff00ff || fail "could not read the window"
}

# waittint SECONDS: until the lesson items show in the text colour (items
# not under the pointer are drawn at three quarters of it).
waittint()
{
	tries=$(($1 * 4))
	while [ "$("$tvtint" Trusvane 0 60 120 40 bf00bf)" -eq 0 ]; do
		tries=$((tries - 1))
		[ $tries -gt 0 ] || return 1
		sleep 0.25
	done
}

# The editor's camera looks at the editing plane from 80 units away, so
# world x and y on the plane map to 3.2 pixels a unit around the window's
# centre (256, 240).
clickworld()
{
	click $((256 + 16 * ($1 - 1280) / 5)) $((240 - 16 * ($2 - 360) / 5))
}

window_start "$game"
"$tvwindow" wait Trusvane 30 >/dev/null || fail "no game window"
window=$(xdotool search --name '^Trusvane$' | head -n 1)
[ -n "$window" ] || fail "no window id"
xdotool windowfocus --sync "$window" 2>/dev/null

waitlit 20000 60 0 0 640 480 || fail "no main menu"
sleep 1
press t
waittint 30 || fail "no tutorial menu"
press 1
waitlit 1 30 512 150 128 40 || fail "no editor"
sleep 1
first=$(hint)
[ "$first" -gt 0 ] || fail "no hint in the first lesson"
clickworld 1250 320
tries=0
while [ "$(hint)" -eq "$first" ] && [ $tries -lt 40 ]; do
	tries=$((tries + 1))
	sleep 0.25
done
second=$(hint)
[ "$second" -ne "$first" ] || fail "the hint did not move on after the anchor was clicked"
[ "$second" -gt 0 ] || fail "no hint after the first click"

# Exit leaves the lesson without a question; the list of lessons shows again.
press Escape
waittint 30 || fail "the lesson did not return to the tutorial menu"
[ "$(lit 512 150 128 40)" -eq 0 ] || fail "the editor is still shown"
[ ! -d "$settings/profile/default/demo" ] || fail "the lesson saved a bridge"

"$tvwindow" close Trusvane || fail "could not close the window"
window_wait_exit 30
[ "$status" -eq 0 ] || fail "exit status $status"
echo "ok"
