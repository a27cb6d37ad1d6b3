#include "editor/editor.h"

editorstruct editor;
int cheat[4];
int levelnum = -1;

void reseteditstate()
{
	editor.planepoint = {1280.0f, 320.0f, 1285.0f};
	editor.planenormal = {0.0f, 0.0f, 1.0f};
	editor.gridsize = 5.0f;
	editor.selectedpoint = -1;
	editor.selectedmirrorpoint = -1;
	editor.mirror = 1;
	editor.showmirror = 0;
	editor.crossbeams = 1;
	editor.mirrorplanez = 1275.0f;
	editor.material = 2;
	editor.exitstate = 0;
	editor.editstate = 0;
}
