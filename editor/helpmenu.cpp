// The editor's help pages are not written yet: the screen returns at once.
#include "editor/editormenus.h"

void helpmenu()
{
}
