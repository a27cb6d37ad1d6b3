#include "editor/editor.h"
#include "editor/editordraw.h"
#include "editor/editorloop.h"
#include "leveleditor/leveleditor.h"
#include "render/renderframe.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/model.h"
#include "world/simulation.h"

void reseteditor()
{
	setuppointrender();
	for (int i = 0; i < level.numofprops && i < MAXPROPS; i++)
		level.prop[i].model = loadpropmodel(level.prop[i].name);
	setuplinkdata();
	setupparticledata();
	setupbonddata();

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
	resetleveleditor();

	// A new level's test run starts unpaused, at normal speed, with gravity,
	// whatever the last one was left at.
	renderoptions.showstress = 0;
	sim.pause = 0;
	sim.fast = 0;
	sim.slow = 0;
	sim.gravity = 1;
}
