#include "editor/undo.h"

#include <cstring>

undostruct undo[UNDOSLOTS];
int undoposition;
int undofront;
int undorear;

static_assert(UNDOSLOTS > 1, "the ring needs a slot besides the one on screen");

// The ring positions are plain globals that other code may set; folding
// them here keeps a stray value from indexing outside the ring.
static int ringslot(int slot)
{
	return ((slot % UNDOSLOTS) + UNDOSLOTS) % UNDOSLOTS;
}

static uint32_t clampcount(uint32_t count, int capacity)
{
	return count > (uint32_t)capacity ? (uint32_t)capacity : count;
}

static void copystate(undostruct *to, const undostruct *from)
{
	to->numofpoints = clampcount(from->numofpoints, MAXPOINTS);
	to->numoflinks = clampcount(from->numoflinks, MAXLINKS);
	memcpy(to->point, from->point, to->numofpoints * sizeof(pointstruct));
	memcpy(to->beam, from->beam, to->numoflinks * sizeof(beamstruct));
}

void storebridge(undostruct *state)
{
	state->numofpoints = clampcount(numofpoints < 0 ? 0 : (uint32_t)numofpoints, MAXPOINTS);
	state->numoflinks = clampcount(numoflinks < 0 ? 0 : (uint32_t)numoflinks, MAXLINKS);
	memcpy(state->point, point, state->numofpoints * sizeof(pointstruct));
	memcpy(state->beam, beam, state->numoflinks * sizeof(beamstruct));
}

void restorebridge(const undostruct *state)
{
	numofpoints = (int)clampcount(state->numofpoints, MAXPOINTS);
	numoflinks = (int)clampcount(state->numoflinks, MAXLINKS);
	memcpy(point, state->point, (size_t)numofpoints * sizeof(pointstruct));
	memcpy(beam, state->beam, (size_t)numoflinks * sizeof(beamstruct));
}

void resetundo()
{
	undoposition = 0;
	undofront = 0;
	undorear = 0;
}

void setupundo()
{
	undoposition = ringslot(undoposition);
	undorear = ringslot(undorear);
	// The slot on screen gets the bridge from before this change; after an
	// Undo that is the state Undo restored.
	copystate(&undo[undoposition], &editor.snapshot);
	undoposition = ringslot(undoposition + 1);
	storebridge(&undo[undoposition]);
	undofront = undoposition;
	if (undoposition == undorear)
		undorear = ringslot(undorear + 1);
}

void keepundostate()
{
	undoposition = ringslot(undoposition);
	storebridge(&undo[undoposition]);
}

// The position of the point a selection names, or 0 when it names none.
static int selectedposition(int index, vector3 *position)
{
	if (index < 0 || index >= numofpoints)
		return 0;
	*position = point[index].position;
	return 1;
}

// A selection is a point index. Points are renumbered by deletions, so the
// restored bridge may hold another point at that index (the one a right
// click deleted comes back where the last point had moved), and a twin made
// only for a preview left an index past the bridge that a larger one fills:
// the next link would start from a point the player never chose. An index
// past the restored bridge is forgotten at the next frame start.
static void keepselection(int *index, int named, const vector3 *position)
{
	if (*index == -1 || *index >= numofpoints)
		return;
	if (!named || memcmp(&point[*index].position, position, sizeof(vector3)) != 0)
		*index = -1;
}

static void restorestate(int slot)
{
	vector3 s = {}, sm = {};
	int named = selectedposition(editor.selectedpoint, &s);
	int mirrornamed = selectedposition(editor.selectedmirrorpoint, &sm);
	restorebridge(&undo[slot]);
	keepselection(&editor.selectedpoint, named, &s);
	keepselection(&editor.selectedmirrorpoint, mirrornamed, &sm);
}

void editorundo()
{
	undoposition = ringslot(undoposition);
	if (undoposition == ringslot(undorear))
		return;
	undoposition = ringslot(undoposition - 1);
	restorestate(undoposition);
}

void editorredo()
{
	undoposition = ringslot(undoposition);
	if (undoposition == ringslot(undofront))
		return;
	undoposition = ringslot(undoposition + 1);
	restorestate(undoposition);
}
