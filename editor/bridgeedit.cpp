#include "editor/bridgeedit.h"

#include <cmath>

#include "editor/editor.h"
#include "platform/input.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"

constexpr int POINTDELETED = -1;        // marked for the editor to delete
constexpr float PROBEHEIGHT = 200.0f;   // ground probes start this far above a point
constexpr float PROBEOFFSET = 0.1f;
constexpr float CROSSINGLENGTH = 0.1f;  // a plain link shorter than this in x and y runs between the planes
constexpr float ALONGDECK = 0.9f;       // |cos| beyond which a plain link runs along the road

static float pointdistance(const vector3 *a, const vector3 *b)
{
	vector3 d;
	subtractvectors(&d, a, b);
	return vectorlength(&d);
}

static int validpoint(int index)
{
	return index >= 0 && index < numofpoints;
}

// While deletepoint removes a point's links the count is already lowered,
// and the last point, about to move into the freed slot, lies just past it:
// a curve point there must be marked all the same.
static int markable(int index)
{
	return index >= 0 && index <= numofpoints && index < MAXPOINTS;
}

static int validlinktype(int type)
{
	return type >= 0 && type < MAXLINKTYPES;
}

// 1 when any of the four vertical probes around position meets the ground.
static int underground(const vector3 *position)
{
	static const float offset[4][2] = {
		{PROBEOFFSET, 0.0f}, {-PROBEOFFSET, 0.0f}, {0.0f, PROBEOFFSET}, {0.0f, -PROBEOFFSET}};
	for (int k = 0; k < 4; k++) {
		vector3 bottom = *position;
		bottom.x += offset[k][0];
		bottom.z += offset[k][1];
		vector3 top = bottom;
		top.y += PROBEHEIGHT;
		vector3 hit, normal;
		float t;
		if (lineintersectlevel(&hit, &normal, &t, &top, &bottom))
			return 1;
	}
	return 0;
}

int createpoint(const vector3 *position, int type)
{
	for (int i = 0; i < numofpoints; i++) {
		float radius = editor.gridsize;
		if (type == POINTCURVE && point[i].type == POINTCURVE)
			radius = 0.25f * editor.gridsize;
		if (pointdistance(&point[i].position, position) < radius)
			return i;
	}
	if (type != POINTANCHOR && underground(position))
		return -1;
	if (numofpoints >= MAXPOINTS)
		return -1;

	int index = numofpoints;
	point[index].type = type;
	point[index].position = *position;
	numofpoints++;
	return index;
}

int findpoint(const vector3 *position)
{
	for (int i = 0; i < numofpoints; i++) {
		if (pointdistance(&point[i].position, position) < editor.gridsize)
			return i;
	}
	return -1;
}

void deletepoint(int index)
{
	if (!validpoint(index))
		return;
	if (point[index].type == POINTANCHOR && !(keyboard['.'] && levelnum == -1))
		return;

	numofpoints--;
	for (int i = 0; i < numoflinks;) {
		if (beam[i].point1 == index || beam[i].point2 == index)
			deletelink(i);
		else
			i++;
	}
	int last = numofpoints;
	if (index == last)
		return;
	point[index] = point[last];
	for (int i = 0; i < numoflinks; i++) {
		if (beam[i].point1 == last)
			beam[i].point1 = index;
		if (beam[i].point2 == last)
			beam[i].point2 = index;
	}
}

void deletelink(int index)
{
	if (index < 0 || index >= numoflinks)
		return;

	numoflinks--;
	const beamstruct *l = &beam[index];
	if (l->type == LINKSUSPENSION) {
		if (markable(l->point1) && point[l->point1].type == POINTCURVE)
			point[l->point1].type = POINTDELETED;
		if (markable(l->point2) && point[l->point2].type == POINTCURVE)
			point[l->point2].type = POINTDELETED;
	}
	if (index != numoflinks)
		beam[index] = beam[numoflinks];
}

static int joins(const beamstruct *l, int a, int b)
{
	return (l->point1 == a && l->point2 == b) || (l->point1 == b && l->point2 == a);
}

// Direction of a - b in the x-y plane, unit length or zero.
static vector3 flatdirection(int a, int b)
{
	vector3 d;
	subtractvectors(&d, &point[b].position, &point[a].position);
	d.z = 0.0f;
	normalizevector(&d, &d);
	return d;
}

// A plain link may neither run along a road deck nor cross between two deck
// points: the deck already joins them.
static int blockedbydeck(int a, int b)
{
	vector3 u = flatdirection(a, b);
	int crossing = vectorlength(&u) < CROSSINGLENGTH;
	int ablocked = 0, bblocked = 0;
	for (int i = 0; i < numoflinks; i++) {
		const beamstruct *l = &beam[i];
		if (!l->deck || !validpoint(l->point1) || !validpoint(l->point2))
			continue;
		vector3 v = flatdirection(l->point1, l->point2);
		if (!crossing && !(fabsf(dotproduct(&u, &v)) > ALONGDECK))
			continue;
		if (l->point1 == a || l->point2 == a)
			ablocked = 1;
		if (l->point1 == b || l->point2 == b)
			bblocked = 1;
	}
	return ablocked && bblocked;
}

void createlink(int a, int b, int type, int deck)
{
	if (!validpoint(a) || !validpoint(b) || a == b || !validlinktype(type))
		return;
	if (point[a].type == POINTANCHOR && point[b].type == POINTANCHOR)
		return;
	if (!(pointdistance(&point[a].position, &point[b].position) < linktype[type].maxlength))
		return;
	for (int i = 0; i < numoflinks;) {
		if (!joins(&beam[i], a, b)) {
			i++;
			continue;
		}
		if (!linktype[type].replace)
			return;
		deletelink(i);
	}
	if (!deck && blockedbydeck(a, b))
		return;
	if (numoflinks >= MAXLINKS)
		return;

	beamstruct *l = &beam[numoflinks];
	l->type = type;
	l->deck = deck;
	l->point1 = a;
	l->point2 = b;
	l->highlight = 0;
	numoflinks++;
}

static int shorterthan(int a, int b, int type)
{
	return pointdistance(&point[a].position, &point[b].position) < linktype[type].maxlength;
}

static int amongfour(int p, const int four[4])
{
	return p == four[0] || p == four[1] || p == four[2] || p == four[3];
}

void createdeck(int p1, int p2, int p3, int p4, int type)
{
	const int four[4] = {p1, p2, p3, p4};
	for (int k = 0; k < 4; k++) {
		if (!validpoint(four[k]))
			return;
		for (int j = 0; j < k; j++) {
			if (four[j] == four[k])
				return;
		}
	}
	if (!validlinktype(type) || !validlinktype(type + LINKTHIN))
		return;
	int anchors = 0;
	for (int k = 0; k < 4; k++) {
		if (point[four[k]].type == POINTANCHOR)
			anchors++;
		if (point[four[k]].type == POINTCURVE)
			return;
	}
	if (anchors == 4)
		return;
	if (!shorterthan(p1, p2, type) || !shorterthan(p3, p4, type) ||
		!shorterthan(p1, p4, type + LINKTHIN) || !shorterthan(p3, p2, type + LINKTHIN))
		return;

	// The two deck links must fit once the links among the four are gone.
	int replaced = 0;
	for (int i = 0; i < numoflinks; i++) {
		if (amongfour(beam[i].point1, four) && amongfour(beam[i].point2, four))
			replaced++;
	}
	if (numoflinks - replaced + 2 > MAXLINKS)
		return;

	for (int i = 0; i < numoflinks;) {
		if (amongfour(beam[i].point1, four) && amongfour(beam[i].point2, four))
			deletelink(i);
		else
			i++;
	}
	beam[numoflinks++] = {type, 1, p1, p2, 0};
	beam[numoflinks++] = {type, 1, p3, p4, 0};
}
