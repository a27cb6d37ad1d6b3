#!/bin/sh
# The tutorial in the game: the main menu's Tutorial opens the list of
# lessons, key 1 starts the first lesson in the bridge editor with its
# first hint, and a click on the anchor the arrow points at moves the hint
# on. The hint lines are drawn in the menu text colour, set here to a
# magenta that the 3D view does not show, and counted in their rows.
# usage: tutorial.sh GAME TVWINDOW
game=$1
tvwindow=$2
. "$(dirname "$0")/fixture.sh"
window_setup
. "$(dirname "$0")/drive.sh"

# Magenta pixels in the three hint rows under the view.
hint()
{
	lit 0 404 320 42 ff00ff
}

hintmoved()
{
	[ "$(hint)" -ne "$first" ]
}

# The lesson items in the text colour (items not under the pointer are
# drawn at three quarters of it).
lessons()
{
	litatleast 1 0 60 120 40 bf00bf
}

game_settings textcolor1=1.000000 textcolor2=0.000000 textcolor3=1.000000
game_start "$game"
press t
waituntil 30 lessons || fail "no tutorial menu"
press 1
waitlit 1 30 512 150 128 40 || fail "no editor"
sleep 1
first=$(hint)
[ "$first" -gt 0 ] || fail "no hint in the first lesson"
clickworld 1250 320
waituntil 10 hintmoved
second=$(hint)
[ "$second" -ne "$first" ] || fail "the hint did not move on after the anchor was clicked"
[ "$second" -gt 0 ] || fail "no hint after the first click"

# Exit leaves the lesson without a question; the list of lessons shows again.
press Escape
waituntil 30 lessons || fail "the lesson did not return to the tutorial menu"
unlit 512 150 128 40 || fail "the editor is still shown"
[ ! -d "$settings/profile/default/demo" ] || fail "the lesson saved a bridge"

game_close
echo "ok"
