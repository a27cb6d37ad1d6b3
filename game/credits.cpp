// The credits are not written yet: the screen returns at once and the
// main menu shows again.
#include "game/credits.h"

#include "platform/menu.h"

void creditsmenu()
{
	resetmenuitems();
}
