#include "editor/editor.h"

editorstruct editor;
int cheat[4];
int levelnum = -1;
