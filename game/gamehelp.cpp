// The test screen's help pages are not written yet: the screen returns at
// once, so "Help" costs the player nothing.
#include "game/gamehelp.h"

void gamehelpmenu()
{
}
