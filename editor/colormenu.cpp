// The bridge colours menu is not written yet: it returns at once.
#include "editor/editormenus.h"

void editbridgecolormenu()
{
}
