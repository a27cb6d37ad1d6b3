#include "leveleditor/levelscreen.h"

#include "platform/input.h"

int keypressed(int key)
{
	return key >= 0 && key < KEYCOUNT && keyboard[key] && !prevkeyboard[key];
}
