#!/bin/sh
# The game starts with a fresh home, opens its window at the configured
# size, and on a window close writes both settings files and exits 0; a
# save that fails is reported.
# usage: startup.sh GAME TVWINDOW
game=$1
tvwindow=$2
. "$(dirname "$0")/fixture.sh"
window_setup

# run_game RUN SIZE: starts the game, expects its window at SIZE ("W H"),
# closes it and expects exit status 0.
run_game()
{
	window_start "$game"
	size=$("$tvwindow" wait Trusvane 60) || fail "no game window on the $1 run"
	[ "$size" = "$2" ] || fail "window is $size, not $2, on the $1 run"
	"$tvwindow" close Trusvane || fail "could not close the window"
	window_wait_exit 60
	[ "$status" -eq 0 ] || fail "exit status $status on the $1 run"
}

run_game first "800 600"
settings="$HOME/.Trusvane Demo"
[ -d "$settings" ] || fail "home folder not created"
[ "$(grep -c "$(printf '\r')\$" "$settings/hwconfig.txt")" -eq 110 ] ||
	fail "hwconfig.txt does not hold 110 CR LF lines"
head -n 1 "$settings/hwconfig.txt" | grep -q '^version=7' || fail "hwconfig.txt version"
[ "$(grep -c "$(printf '\r')\$" "$settings/settings.txt")" -eq 18 ] ||
	fail "settings.txt does not hold 18 CR LF lines"

# Second run: the configured size is used; the configured depth (the
# window is still 32 bits) and the sound switch are written back unchanged.
printf 'version=7\r\nscreenwidth=640\r\nscreenheight=480\r\nbitsperpixel=16\r\nsound=0\r\n' \
	>"$settings/hwconfig.txt"
run_game second "640 480"
grep -q "^bitsperpixel=16" "$settings/hwconfig.txt" || fail "bitsperpixel not written back"
grep -q "^screenwidth=640" "$settings/hwconfig.txt" || fail "screenwidth not written back"
grep -q "^sound=0" "$settings/hwconfig.txt" || fail "sound not written back"

# Third run: only an old binary settings file (version 1: 640 x 480 x 32,
# windowed, OpenGL switched off, no sound, no joystick). The window opens
# all the same, and the text file takes the old file's place.
rm "$settings/hwconfig.txt"
printf '\001\000\000\000\200\002\000\000\340\001\000\000\040\000\000\000' \
	>"$settings/hwconfig.cfg"
printf '\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000' \
	>>"$settings/hwconfig.cfg"
run_game third "640 480"
grep -q "^screenwidth=640" "$settings/hwconfig.txt" || fail "hwconfig.txt not written"

# Fourth run: the settings cannot be written (a folder stands where the
# temporary file would go, which stops root too). The old file stays and
# the game says so instead of ending as if all were kept.
cp "$settings/settings.txt" "$TV_TMP/before"
mkdir "$settings/settings.txt.tmp"
window_start "$game"
"$tvwindow" wait Trusvane 60 >/dev/null || fail "no game window on the fourth run"
"$tvwindow" close Trusvane || fail "could not close the window"
window_wait_exit 60
[ "$status" -ne 0 ] || fail "a lost save ended with status 0"
grep -q "Couldn't save the settings" "$TV_TMP/stderr" || fail "the lost save was not reported"
cmp -s "$settings/settings.txt" "$TV_TMP/before" || fail "settings.txt changed although the save failed"
echo "ok"
