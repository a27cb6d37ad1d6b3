#!/bin/sh
# The setup program: settings changed with real keys and the mouse are
# written to "hwconfig.txt" when the window is closed or Done is chosen;
# keys it does not edit come back unchanged; the game's settings file is
# never written; a save that fails is reported.
# usage: setup.sh SETUP TVWINDOW
setup=$1
tvwindow=$2
. "$(dirname "$0")/fixture.sh"
window_setup
title="Trusvane Setup"
settings="$HOME/.Trusvane Demo"

# The key goes down in one frame and up in a later one.
press()
{
	xdotool keydown "$1" && sleep 0.3 && xdotool keyup "$1" && sleep 0.3
}

startsetup()
{
	window_start "$setup"
	size=$("$tvwindow" wait "$title" 60) || fail "no setup window"
	[ "$size" = "640 480" ] || fail "window is $size, not 640 480"
	window=$(xdotool search --name "^$title\$" | head -n 1)
	[ -n "$window" ] || fail "xdotool does not find the window"
	xdotool windowfocus --sync "$window" || fail "could not focus the window"
	sleep 0.3
}

# First run, no settings: 800x600 and sound off, then the window is closed.
startsetup
[ -d "$settings" ] || fail "home folder not created"
press 2
# Hidden and shown again: the window is made anew and keeps working.
xdotool windowunmap --sync "$window" && sleep 0.3
xdotool windowmap --sync "$window" && sleep 0.3
xdotool windowfocus --sync "$window" && sleep 0.3
press s
"$tvwindow" close "$title" || fail "could not close the window"
window_wait_exit 60
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(grep -c "$(printf '\r')\$" "$settings/hwconfig.txt")" -eq 110 ] ||
	fail "hwconfig.txt does not hold 110 CR LF lines"
head -n 1 "$settings/hwconfig.txt" | grep -q '^version=7' || fail "hwconfig.txt version"
grep -q "^screenwidth=800" "$settings/hwconfig.txt" || fail "screenwidth not 800"
grep -q "^screenheight=600" "$settings/hwconfig.txt" || fail "screenheight not 600"
grep -q "^sound=0" "$settings/hwconfig.txt" || fail "sound not switched off"
[ -e "$settings/settings.txt" ] && fail "the game settings file was written"

# Second run: an odd size and the keys the screen does not edit survive;
# t picks 24 bits and shows the colour bars, a Shift drag on the green bar
# makes the text a mid grey, and Escape (Done) ends the screen.
printf 'version=7\r\nscreenwidth=1152\r\nscreenheight=864\r\nbitsperpixel=16\r\njoystick=0\r\neditormovemode=2\r\nmaterialcolorred5=0.123000\r\n' \
	>"$settings/hwconfig.txt"
startsetup
press t
xdotool mousemove --window "$window" 416 100 && sleep 0.3
xdotool keydown shift && sleep 0.2
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1 && sleep 0.2
xdotool keyup shift && sleep 0.2
press Escape
window_wait_exit 60
[ "$status" -eq 0 ] || fail "exit status $status on the second run"
hw="$settings/hwconfig.txt"
grep -q "^screenwidth=1152" "$hw" || fail "screenwidth 1152 not kept"
grep -q "^screenheight=864" "$hw" || fail "screenheight 864 not kept"
grep -q "^bitsperpixel=24" "$hw" || fail "t did not pick 24 bits"
grep -q "^joystick=0" "$hw" || fail "joystick not written back"
grep -q "^editormovemode=2" "$hw" || fail "editormovemode not written back"
grep -q "^materialcolorred5=0.123000" "$hw" || fail "link colour not written back"
for n in 1 2 3; do
	grep -q "^textcolor$n=0.500000" "$hw" || fail "textcolor$n is not 0.5: $(grep textcolor "$hw")"
done

# Third run: the settings cannot be written (a folder stands where the
# temporary file would go, which stops root too). The old file stays and
# the program says so instead of ending as if all were kept.
cp "$hw" "$TV_TMP/before"
mkdir "$hw.tmp"
startsetup
press s
press Escape
window_wait_exit 60
[ "$status" -ne 0 ] || fail "a lost save ended with status 0"
grep -q "Couldn't save the settings" "$TV_TMP/stderr" || fail "the lost save was not reported"
cmp -s "$hw" "$TV_TMP/before" || fail "hwconfig.txt changed although the save failed"
echo "ok"
