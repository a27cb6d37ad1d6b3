// The do-nothing paste of headless programs, in its own object file: text
// boxes pull it in, and a program that links the window library for its
// textures (and not its clipboard) must not get the texture stand-ins too.
#include "platform/clipboard.h"

int getclipboard(char **buffer)
{
	return 0;
}
