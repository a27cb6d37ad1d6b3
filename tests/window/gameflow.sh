#!/bin/sh
# The game from its main menu: Start Game opens the demo pack's map pack
# menu, the first level opens the level preview with its turning 3D view,
# Edit opens the bridge editor and Simulate the test screen, where Slow is
# switched on; Escape walks back out, and a window close ends the game with
# both settings files written (Slow among the settings) and the pack's
# progress kept in the profile.
# usage: gameflow.sh GAME TVWINDOW TVLIT
game=$1
tvwindow=$2
tvlit=$3
. "$(dirname "$0")/fixture.sh"
window_setup

settings="$HOME/.Trusvane Demo"
mkdir -p "$settings"
# A 640 x 480 window maps the virtual screen one to one; no menu backdrop,
# so a menu is text on black.
printf 'version=7\r\nscreenwidth=640\r\nscreenheight=480\r\nbackground=0\r\n' \
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

# click X Y on the virtual screen.
click()
{
	xdotool mousemove --window "$window" --sync "$1" "$2"
	sleep 0.2
	xdotool mousedown 1
	sleep 0.6
	xdotool mouseup 1
	sleep 0.5
}

# lit X Y W H: pixels that are not black.
lit()
{
	"$tvlit" Trusvane "$@" || fail "could not read the window"
}

# waitlit MIN SECONDS X Y W H: until at least MIN pixels are lit.
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

window_start "$game"
"$tvwindow" wait Trusvane 30 >/dev/null || fail "no game window"
window=$(xdotool search --name '^Trusvane$' | head -n 1)
[ -n "$window" ] || fail "no window id"
xdotool windowfocus --sync "$window" 2>/dev/null

# The main menu's title picture once loading is done.
waitlit 20000 60 0 0 640 480 || fail "no main menu"
sleep 1
press s
# The map pack menu on black: its title line, the level list, nothing right
# of the list where the preview would turn.
waitlit 1 30 200 0 240 20 || fail "no map pack menu title"
[ "$(lit 400 120 230 140)" -eq 0 ] || fail "map pack menu is not on black"
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
[ "$(lit 400 120 230 140)" -eq 0 ] || fail "preview still shown"
press Escape
tries=0
while [ ! -f "$settings/profile/default/demo.tvm" ] && [ $tries -lt 60 ]; do
	tries=$((tries + 1))
	sleep 0.25
done
[ -f "$settings/profile/default/demo.tvm" ] || fail "pack progress not written to the profile"

"$tvwindow" close Trusvane || fail "could not close the window"
window_wait_exit 30
[ "$status" -eq 0 ] || fail "exit status $status"
[ -f "$settings/hwconfig.txt" ] || fail "no hwconfig.txt"
[ -f "$settings/settings.txt" ] || fail "no settings.txt"
grep -q "^screenwidth=640" "$settings/hwconfig.txt" || fail "hwconfig.txt not written back"
grep -q "^slow=1" "$settings/settings.txt" || fail "Slow from the test screen not saved"
echo "ok"
