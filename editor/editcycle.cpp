#include "editor/editcycle.h"

#include "editor/bridgeedit.h"
#include "editor/editor.h"
#include "editor/paste.h"
#include "editor/selection.h"
#include "editor/undo.h"
#include "platform/input.h"
#include "world/level.h"
#include "world/materials.h"

constexpr float ROADY = 320.0f;          // height of the road deck in Normal mode
constexpr float DECKWIDTH = 10.0f;       // a deck's far side lies this far behind
constexpr float RAYLENGTH = 1000.0f;
constexpr float HIGHLIGHTRADIUS = 2.5f;
constexpr float PLANESLACK = 0.1f;       // a link between the planes, give or take this
constexpr float SMALLESTBOX = 5.0f;      // a released box smaller than this is dropped
constexpr int KEY_PERIOD = '.';
constexpr int KEY_Y = 'y';

// The fixed planes of Normal mode.
constexpr float NORMALPLANEX = 1280.0f;
constexpr float NORMALPLANEY = 320.0f;
constexpr float NORMALPLANEZ = 1285.0f;
constexpr float NORMALMIRRORZ = 1275.0f;
constexpr float NORMALGRID = 5.0f;

static float distance(const vector3 *a, const vector3 *b)
{
	vector3 d;
	subtractvectors(&d, a, b);
	return vectorlength(&d);
}

static float maxlength(int type)
{
	return type >= 0 && type < MAXLINKTYPES ? linktype[type].maxlength : 0.0f;
}

static int setjointoffered()
{
	return level.materiallimit[LINKHYDRAULIC1] > 0 || cheat[0] == 0;
}

void applyeditmodes(float *cameratargetz)
{
	if (keyboard[KEY_PERIOD] && levelnum == -1)
		editor.editstate = 6;
	else if (editor.editstate == 6)
		editor.editstate = 0;

	if (setjointoffered()) {
		if (editor.setjoint && editor.savedmaterial == 0) {
			editor.savedmaterial = editor.material;
			editor.material = 0;
		}
		if (!editor.setjoint && editor.material == 0) {
			editor.material = editor.savedmaterial;
			editor.savedmaterial = 0;
		}
	}
	if (editor.material != 0) {
		editor.setjoint = 0;
		editor.savedmaterial = 0;
	}
	if (editor.material != LINKIRON && editor.material != LINKSTEEL)
		editor.deck = 0;
	if (editor.material == LINKSUSPENSION && editor.editstate == 0)
		editor.editstate = 3;
	if (editor.editstate >= 3 && editor.editstate <= 5 && editor.material != LINKSUSPENSION)
		editor.editstate = 0;
	if (editor.editstate == 2 && copy.numoflinks == 0)
		editor.editstate = 0;

	if (!editor.complex) {
		editor.planepoint = {NORMALPLANEX, NORMALPLANEY, NORMALPLANEZ};
		editor.planenormal = {0.0f, 0.0f, 1.0f};
		*cameratargetz = NORMALPLANEZ;
		editor.gridsize = NORMALGRID;
		editor.mirror = 1;
		editor.showmirror = 0;
		editor.crossbeams = 1;
		editor.mirrorplanez = NORMALMIRRORZ;
	}
}

int freshleftpress()
{
	return mouse.leftbutton && !prevmouse.leftbutton;
}

int freshrightpress()
{
	return mouse.rightbutton && !prevmouse.rightbutton;
}

void starteditframe()
{
	for (int i = 0; i < numoflinks; i++)
		beam[i].highlight = 0;
	editor.hoverpoint = -1;
	editor.hovermirrorpoint = -1;
	if (editor.selectedpoint >= numofpoints)
		editor.selectedpoint = -1;
	if (editor.selectedmirrorpoint >= numofpoints)
		editor.selectedmirrorpoint = -1;
	storebridge(&editor.snapshot);
}

void restoresnapshot()
{
	restorebridge(&editor.snapshot);
}

int editplanehit(vector3 *hit, const vector3 *eye, const orientation *axes, const float mousexy[2])
{
	vector3 end;
	scaleaddvectors(&end, eye, &axes->v[2], -RAYLENGTH);
	scaleaddvectors(&end, &end, &axes->v[0], RAYLENGTH * mousexy[0]);
	scaleaddvectors(&end, &end, &axes->v[1], RAYLENGTH * mousexy[1]);
	float t;
	return lineintersectplane(hit, &editor.planenormal, &t, eye, &end, &editor.planepoint);
}

void snapeditpoint(vector3 *h)
{
	float step = editor.gridhd ? editor.gridsize * 0.5f : editor.gridsize;
	h->x = roundnumber(h->x, step);
	h->y = roundnumber(h->y, step);
	h->z = roundnumber(h->z, editor.gridsize);
}

int editlinktype()
{
	int m = editor.material;
	if (cheat[3] && (m == LINKIRON || m == LINKSTEEL || m == LINKHEAVYSTEEL))
		return m + LINKTHIN;
	return m;
}

// A point at h for a link from 'from' when the material reaches that far.
static int reachablepoint(int from, const vector3 *h)
{
	if (from < 0 || from >= numofpoints)
		return -1;
	if (!(distance(&point[from].position, h) < maxlength(editor.material)))
		return -1;
	return createpoint(h, POINTJOINT);
}

static int onroad(float y)
{
	return y > ROADY - 1.0f && y < ROADY + 1.0f;
}

static void anchorplacement(vector3 h)
{
	snapeditpoint(&h);
	createpoint(&h, POINTANCHOR);
	editor.hoverpoint = findpoint(&h);
	if (editor.mirror) {
		h.z = editor.mirrorplanez;
		createpoint(&h, POINTANCHOR);
		editor.hovermirrorpoint = findpoint(&h);
	}
}

// The link on the mirror plane with the crossbeams that tie it to the
// link a-from-s on the editing plane.
static void mirrorlink(vector3 h, int a)
{
	int s = editor.selectedpoint;
	int thin = editor.material + LINKTHIN;
	h.z = editor.mirrorplanez;
	if (s != -1 && editor.selectedmirrorpoint == -1) {
		vector3 twin = {point[s].position.x, point[s].position.y, editor.mirrorplanez};
		editor.selectedmirrorpoint = createpoint(&twin, POINTJOINT);
	}
	int sm = editor.selectedmirrorpoint;
	if (sm != -1) {
		int b = reachablepoint(sm, &h);
		createlink(sm, b, editlinktype(), 0);
		createlink(s, sm, thin, 0);
		createlink(a, b, thin, 0);
		if (editor.crossbeams) {
			createlink(s, b, thin, 0);
			createlink(sm, a, thin, 0);
		}
	}
	editor.hovermirrorpoint = findpoint(&h);
}

static void deckpiece(vector3 h, int a)
{
	int s = editor.selectedpoint;
	int sm = editor.selectedmirrorpoint;
	h.z -= DECKWIDTH;
	int b = reachablepoint(sm, &h);
	createdeck(s, a, sm, b, editor.material);
	editor.hovermirrorpoint = findpoint(&h);
}

static void linkbuilding(vector3 h)
{
	snapeditpoint(&h);
	int s = editor.selectedpoint;
	int a = -1;
	if (s != -1) {
		a = reachablepoint(s, &h);
		if (!editor.complex) {
			int road = onroad(point[s].position.y) && onroad(h.y);
			int decked = editor.material == LINKIRON || editor.material == LINKSTEEL;
			editor.deck = road && decked;
		}
		if (!editor.deck)
			createlink(s, a, editlinktype(), 0);
	}
	editor.hoverpoint = findpoint(&h);
	int building = editor.deck && !editor.setjoint;
	if (editor.mirror && !building)
		mirrorlink(h, a);
	if (building)
		deckpiece(h, a);
}

static void selectionbox(const vector3 *h)
{
	if (freshleftpress()) {
		editor.editstate = 0;
	} else if (mouse.leftbutton) {
		editor.selectend = *h;
		editor.selectend.z = editor.mirrorplanez;
	} else {
		vector3 d;
		subtractvectors(&d, &editor.selectend, &editor.selectstart);
		d.z = 0.0f;
		if (vectorlength(&d) < SMALLESTBOX)
			editor.editstate = 0;
	}
}

// The link lies under the mouse in x and y somewhere between the planes.
static int betweenplanes(const vector3 *h, const vector3 *p1, const vector3 *p2)
{
	float d;
	if (!pointintersectline2d(h, p1, p2, &d, HIGHLIGHTRADIUS))
		return 0;
	vector3 along, unit;
	subtractvectors(&along, p2, p1);
	normalizevector(&unit, &along);
	vector3 p;
	scaleaddvectors(&p, p1, &unit, d);
	return p.z >= editor.mirrorplanez - PLANESLACK && p.z <= editor.planepoint.z + PLANESLACK;
}

static void highlightlinks(const vector3 *h)
{
	for (int i = 0; i < numoflinks; i++) {
		const vector3 *p1 = &point[beam[i].point1].position;
		const vector3 *p2 = &point[beam[i].point2].position;
		if ((editor.mirror && betweenplanes(h, p1, p2)) || pointintersectline(h, p1, p2, HIGHLIGHTRADIUS)) {
			beam[i].highlight = 1;
			editor.snapshot.beam[i].highlight = 1;
		}
	}
}

static void cablestep(vector3 h)
{
	snapeditpoint(&h);
	if (editor.editstate == 3)
		cablefirstend(&h);
	else if (editor.editstate == 4)
		cablesecondend(&h);
	else
		cablesagpoint(&h);
}

void tentativeedit(const vector3 *hit)
{
	if (!hit)
		return;
	int state = editor.editstate;
	switch (state) {
	case 0:
		linkbuilding(*hit);
		break;
	case 1:
		selectionbox(hit);
		break;
	case 2:
		pastecopy(hit);
		break;
	case 3:
	case 4:
	case 5:
		cablestep(*hit);
		break;
	case 6:
		anchorplacement(*hit);
		break;
	}
	// By the state the frame began in: the press that ends a box must not
	// start the next one.
	if (state != 0 && state != 3)
		return;
	if (editor.hoverpoint == -1 && editor.hovermirrorpoint == -1)
		highlightlinks(hit);
	if (editor.selectedpoint == -1 && editor.selectedmirrorpoint == -1 && editor.hoverpoint == -1 &&
		editor.hovermirrorpoint == -1 && freshleftpress()) {
		editor.selectstart = *hit;
		editor.selectend = *hit;
		editor.editstate = 1;
	}
}

int editoverlimits()
{
	if (!cheat[0])
		return 0;
	for (int m = 0; m < MATERIALCOUNTS; m++) {
		if (editor.materialcount[m] > level.materiallimit[m])
			return 1;
	}
	return editor.materialcount[LINKHYDRAULIC1] + editor.materialcount[LINKHYDRAULIC2] >
		level.materiallimit[LINKHYDRAULIC1];
}

static int samelink(const beamstruct *a, const beamstruct *b)
{
	return a->type == b->type && a->deck == b->deck && a->point1 == b->point1 &&
		a->point2 == b->point2;
}

// Whether live link i stands elsewhere among the snapshot's links that are
// not in their old place.
static int movedlink(int i)
{
	const beamstruct *s = editor.snapshot.beam;
	for (int j = 0; j < numoflinks; j++) {
		if (!samelink(&beam[j], &s[j]) && samelink(&beam[i], &s[j]))
			return 1;
	}
	return 0;
}

// An edit only appends points, but a deck piece can swap as many links as
// it adds (a Cable road clicked again in Iron). Making a finished deck
// piece again only moves its links, which is no change.
static int bridgechanged()
{
	if ((uint32_t)numofpoints != editor.snapshot.numofpoints ||
		(uint32_t)numoflinks != editor.snapshot.numoflinks)
		return 1;
	for (int i = 0; i < numoflinks; i++) {
		if (!samelink(&beam[i], &editor.snapshot.beam[i]) && !movedlink(i))
			return 1;
	}
	return 0;
}

// Returns the click sound when the bridge changed.
static int keepedit()
{
	if (!(keyboard[KEY_Y] || keyboard[KEY_LSHIFT] || editor.setjoint)) {
		editor.selectedpoint = editor.hoverpoint;
		editor.selectedmirrorpoint = editor.hovermirrorpoint;
	}
	if (editor.editstate == 5) {
		editor.editstate = 0;
		editor.selectedpoint = -1;
		editor.selectedmirrorpoint = -1;
	}
	if (!bridgechanged())
		return 0;
	// A cable's second end only shows the straight preview, which is not
	// kept: the click sounds, but nothing changed that Undo could take back.
	if (editor.editstate != 4)
		setupundo();
	return SOUND_CLICK;
}

static void deletemarkedpoints()
{
	for (int i = 0; i < numofpoints;) {
		if (point[i].type == -1) {
			deletepoint(i);
			i = 0;
		} else {
			i++;
		}
	}
}

// Returns the unclick sound when anything went.
static int deleteundermouse()
{
	editor.selectedpoint = -1;
	editor.selectedmirrorpoint = -1;
	editor.editstate = 0;
	int hover = editor.hoverpoint;
	int twin = editor.hovermirrorpoint;
	if (hover != -1) {
		int before = numofpoints;
		deletepoint(hover);
		// The last point moved into the freed slot.
		if (numofpoints < before) {
			if (twin == hover)
				twin = -1;
			else if (twin == numofpoints)
				twin = hover;
		}
		if (twin != -1)
			deletepoint(twin);
	}
	for (int i = 0; i < numoflinks;) {
		if (beam[i].highlight)
			deletelink(i);
		else
			i++;
	}
	deletemarkedpoints();
	if (!bridgechanged())
		return 0;
	setupundo();
	return SOUND_UNCLICK;
}

int commitedit(int costafter)
{
	int sound = 0;
	int refused = (cheat[1] == 1 && costafter > level.budget) || editoverlimits();
	if (refused || !freshleftpress())
		restoresnapshot();
	else
		sound = keepedit();
	if (editor.editstate == 4) {
		restoresnapshot();
		if (freshleftpress())
			editor.editstate = 5;
	}
	if (freshrightpress()) {
		int unclick = deleteundermouse();
		if (unclick)
			sound = unclick;
	}
	return sound;
}

// Only plain and drawbridge joints switch; an anchor twin stays an anchor.
static int switchable(int index)
{
	return index >= 0 && index < numofpoints &&
		(point[index].type == POINTJOINT || point[index].type == POINTDRAWBRIDGE);
}

void switchjoints()
{
	if (!editor.setjoint)
		return;
	int hover = editor.hoverpoint;
	if (freshleftpress() && switchable(hover)) {
		int type = point[hover].type == POINTJOINT ? POINTDRAWBRIDGE : POINTJOINT;
		point[hover].type = type;
		if (switchable(editor.hovermirrorpoint))
			point[editor.hovermirrorpoint].type = type;
		keepundostate();
	}
	editor.selectedpoint = -1;
	editor.selectedmirrorpoint = -1;
}
