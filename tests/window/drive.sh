# Driving the game's window, sourced by the window tests once fixture.sh's
# window_setup has made HOME (POSIX sh); expects $tvwindow, the path of the
# tvwindow tool, and sets $settings, the game's settings folder, and
# $bridges, the demo pack's bridges in the default profile:
#   game_settings [KEY=VALUE...]  a settings file for a 640 x 480 window
#                                 without the menu backdrop, plus the keys
#   game_start GAME               starts the game, focuses its window
#                                 ($window) and waits for the main menu
#   game_close                    closes the window as a user would; the
#                                 game must end with status 0
#   press KEY, click X Y          a key or the left button, held long
#                                 enough for a slow frame (software
#                                 rendering under the sanitizers) to see it
#   clickworld X Y                clicks a world point of the editing plane
#   lit X Y W H [RRGGBB]          pixels not black, or of exactly RRGGBB
#   litatleast MIN X Y W H        true when at least MIN are lit
#   unlit X Y W H                 true when none is lit
#   waitlit MIN SECONDS X Y W H   until at least MIN pixels are lit
#   waituntil SECONDS COMMAND...  until COMMAND succeeds
#   openeditor WHEN               from the map pack menu into the bridge
#                                 editor on the first level
#   bridgecounts NAME             "points links" of the saved bridge NAME,
#                                 or "none" (expects $tvbridge)
# A 640 x 480 window maps the virtual screen one to one, and with no
# backdrop a menu is text on black.

settings="$HOME/.Trusvane Demo"
bridges="$settings/profile/default/demo"

game_settings()
{
	mkdir -p "$settings"
	{
		printf 'version=7\r\nscreenwidth=640\r\nscreenheight=480\r\nbackground=0\r\n'
		for line in "$@"; do
			printf '%s\r\n' "$line"
		done
	} >"$settings/hwconfig.txt"
}

game_start()
{
	window_start "$1"
	"$tvwindow" wait Trusvane 30 >/dev/null || fail "no game window"
	window=$(xdotool search --name '^Trusvane$' | head -n 1)
	[ -n "$window" ] || fail "no window id"
	xdotool windowfocus --sync "$window" 2>/dev/null
	# The main menu's title picture once loading is done.
	waitlit 20000 60 0 0 640 480 || fail "no main menu"
	sleep 1
}

game_close()
{
	"$tvwindow" close Trusvane || fail "could not close the window"
	window_wait_exit 30
	[ "$status" -eq 0 ] || fail "exit status $status"
}

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

# The editor's camera looks from (1280, 360, 1365) at the editing plane 80
# units away, so world x and y on the plane map to 3.2 pixels a unit around
# the window's centre (256, 240).
clickworld()
{
	click $((256 + 16 * ($1 - 1280) / 5)) $((240 - 16 * ($2 - 360) / 5))
}

lit()
{
	"$tvwindow" lit Trusvane "$@" || fail "could not read the window"
}

unlit()
{
	[ "$(lit "$@")" -eq 0 ]
}

waituntil()
{
	tries=$(($1 * 4))
	shift
	until "$@"; do
		tries=$((tries - 1))
		[ $tries -gt 0 ] || return 1
		sleep 0.25
	done
}

litatleast()
{
	min=$1
	shift
	[ "$(lit "$@")" -ge "$min" ]
}

waitlit()
{
	min=$1
	seconds=$2
	shift 2
	waituntil "$seconds" litatleast "$min" "$@"
}

openeditor()
{
	waitlit 1 30 200 0 240 20 || fail "no map pack menu ($1)"
	click 20 70
	waitlit 10000 30 400 120 230 140 || fail "no level preview ($1)"
	press e
	# The editor's material strip right of the view.
	waitlit 1 30 512 150 128 40 || fail "no editor ($1)"
	sleep 1
}

bridgecounts()
{
	"$tvbridge" "$bridges" "$1" || echo "none"
}
