#include "editor/selection.h"

#include "editor/bridgeedit.h"
#include "editor/editor.h"
#include "editor/undo.h"

constexpr float PLANETOLERANCE = 0.1f;
constexpr int POINTDELETED = -1;

copystruct copy;

int pointcopy(const vector3 *position)
{
	const vector3 *s = &editor.selectstart;
	const vector3 *e = &editor.selectend;
	return position->x >= s->x && position->x <= e->x &&
		position->y >= s->y && position->y <= e->y &&
		position->z >= s->z - PLANETOLERANCE && position->z <= e->z + PLANETOLERANCE;
}

static void swapiflarger(float *a, float *b)
{
	if (*a > *b) {
		float t = *a;
		*a = *b;
		*b = t;
	}
}

// A box may be dragged in any direction; the inside test wants start <= end.
static void orderselection()
{
	swapiflarger(&editor.selectstart.x, &editor.selectend.x);
	swapiflarger(&editor.selectstart.y, &editor.selectend.y);
	swapiflarger(&editor.selectstart.z, &editor.selectend.z);
}

static void clearselection()
{
	zerovector(&editor.selectstart);
	zerovector(&editor.selectend);
}

static int validpoint(int index)
{
	return index >= 0 && index < numofpoints;
}

static int linkinside(const beamstruct *l)
{
	return pointcopy(&point[l->point1].position) && pointcopy(&point[l->point2].position);
}

static uint32_t copiedtype(int type)
{
	return type == POINTANCHOR ? POINTJOINT : (uint32_t)type;
}

// Appends link i to the buffer and adds its ends to the running sum.
static void copylink(int i, vector3 *sum)
{
	if (copy.numoflinks >= (uint32_t)MAXCOPYLINKS)
		return;
	const beamstruct *l = &beam[i];
	copylinkstruct *c = &copy.link[copy.numoflinks++];
	c->type = (uint32_t)l->type;
	c->deck = (uint32_t)l->deck;
	c->pointtype1 = copiedtype(point[l->point1].type);
	c->position1 = point[l->point1].position;
	c->pointtype2 = copiedtype(point[l->point2].type);
	c->position2 = point[l->point2].position;
	addvectors(sum, sum, &c->position1);
	addvectors(sum, sum, &c->position2);
}

static int linkvalid(const beamstruct *l)
{
	return validpoint(l->point1) && validpoint(l->point2);
}

// A suspension cable cut by the box is copied with the links that leave its
// curve points inside, so the pasted cable keeps hanging from its far ends.
static void copycutcables(vector3 *sum)
{
	for (int p = 0; p < numofpoints; p++) {
		if (point[p].type != POINTCURVE || !pointcopy(&point[p].position))
			continue;
		for (int i = 0; i < numoflinks; i++) {
			const beamstruct *l = &beam[i];
			if (!linkvalid(l) || (l->point1 != p && l->point2 != p) || linkinside(l))
				continue;
			copylink(i, sum);
		}
	}
}

int copypoints()
{
	orderselection();
	copy.numoflinks = 0;
	vector3 sum = {0.0f, 0.0f, 0.0f};

	for (int i = 0; i < numoflinks; i++) {
		if (linkvalid(&beam[i]) && linkinside(&beam[i]))
			copylink(i, &sum);
	}
	copycutcables(&sum);

	if (copy.numoflinks > 0) {
		// The centre lies on the grid and on the editing plane, so a paste
		// at a grid position puts every point back on the grid.
		float ends = 2.0f * (float)copy.numoflinks;
		vector3 centre = {sum.x / ends, sum.y / ends, sum.z / ends};
		centre.x = roundnumber(centre.x, editor.gridsize);
		centre.y = roundnumber(centre.y, editor.gridsize);
		centre.z = editor.planepoint.z;
		for (uint32_t i = 0; i < copy.numoflinks; i++) {
			subtractvectors(&copy.link[i].position1, &copy.link[i].position1, &centre);
			subtractvectors(&copy.link[i].position2, &copy.link[i].position2, &centre);
		}
	}
	clearselection();
	if (copy.numoflinks > 0)
		editor.editstate = 2;
	return (int)copy.numoflinks;
}

void deletepoints()
{
	storebridge(&editor.snapshot);
	orderselection();
	for (int i = 0; i < numofpoints; i++) {
		if (point[i].type != POINTANCHOR && pointcopy(&point[i].position))
			point[i].type = POINTDELETED;
	}
	// Deleting a cable's link marks its curve points elsewhere, and the last
	// point moves into each freed slot, so the scan starts over each time.
	for (int i = 0; i < numofpoints;) {
		if (point[i].type == POINTDELETED) {
			deletepoint(i);
			i = 0;
		} else {
			i++;
		}
	}
	if ((uint32_t)numofpoints != editor.snapshot.numofpoints ||
		(uint32_t)numoflinks != editor.snapshot.numoflinks)
		setupundo();
	clearselection();
}

void flipxaxis()
{
	for (uint32_t i = 0; i < copy.numoflinks && i < (uint32_t)MAXCOPYLINKS; i++) {
		copy.link[i].position1.x = -copy.link[i].position1.x;
		copy.link[i].position2.x = -copy.link[i].position2.x;
	}
}
