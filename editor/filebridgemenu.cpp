// The bridge file browser is not written yet: it returns at once, so
// leaving the editor through "Save Bridge?" saves nothing.
#include "editor/editormenus.h"

void filebridgemenu(int load)
{
}
