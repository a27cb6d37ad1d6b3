// The tutorial is not written yet: the screen returns at once and the main
// menu shows again.
#include "game/tutorialmenu.h"

#include "platform/menu.h"

void tutorialmenu()
{
	resetmenuitems();
}
