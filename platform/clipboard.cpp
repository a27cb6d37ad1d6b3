// Nothing is pasted yet: the clipboard reports itself ready and empty.
#include "platform/clipboard.h"

int SDLScrap_Init()
{
	return 0;
}

int getclipboard(char **buffer)
{
	return 0;
}
