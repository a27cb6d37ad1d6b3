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

	reseteditstate();
	resetleveleditor();

	// A new level's test run starts unpaused, at normal speed, with gravity,
	// whatever the last one was left at.
	renderoptions.showstress = 0;
	sim.pause = 0;
	sim.fast = 0;
	sim.slow = 0;
	sim.gravity = 1;
}
