#include "editor/paste.h"

#include "editor/bridgeedit.h"
#include "editor/cablecurve.h"
#include "editor/editor.h"
#include "editor/selection.h"
#include "world/level.h"
#include "world/materials.h"

constexpr float DECKDEPTH = 10.0f;     // a road deck's far side lies this far behind
constexpr float CABLESPACING = 10.0f;  // curve points at the multiples of this in x

// Which ends each curve got during the present cable's steps. A curve whose
// end was never set this time still holds the ends of an earlier cable, and
// laying it would hang a cable from there.
static int firstendset[CABLECURVES];
static int secondendset[CABLECURVES];

static int livepoint(int index)
{
	return index >= 0 && index < numofpoints;
}

void pastecopy(const vector3 *hit)
{
	vector3 h;
	h.x = roundnumber(hit->x, editor.gridsize);
	h.y = roundnumber(hit->y, editor.gridsize);
	h.z = roundnumber(hit->z, editor.gridsize);

	uint32_t count = copy.numoflinks < (uint32_t)MAXCOPYLINKS ? copy.numoflinks : (uint32_t)MAXCOPYLINKS;
	for (uint32_t i = 0; i < count; i++) {
		const copylinkstruct *c = &copy.link[i];
		vector3 p1, p2;
		addvectors(&p1, &c->position1, &h);
		addvectors(&p2, &c->position2, &h);
		int a = createpoint(&p1, (int)c->pointtype1);
		int b = createpoint(&p2, (int)c->pointtype2);
		createlink(a, b, (int)c->type, (int)c->deck);
	}
	pairdecks();
}

static int joins(const beamstruct *l, int a, int b)
{
	return (l->point1 == a && l->point2 == b) || (l->point1 == b && l->point2 == a);
}

constexpr int BEHINDUNKNOWN = -2;
// The point behind each point, looked up once per pairing: most deck points
// end two deck links.
static int behindpoint[MAXPOINTS];

static int behind(int p)
{
	if (behindpoint[p] == BEHINDUNKNOWN) {
		vector3 back = point[p].position;
		back.z -= DECKDEPTH;
		behindpoint[p] = findpoint(&back);
	}
	return behindpoint[p];
}

// The deck links to pair, by their ends: making a deck piece deletes links
// and moves others into the freed slots, so a walk over the link indices
// would pass over some of them. Points never move while pairing.
struct deckend {
	int point1, point2, type;
};
static deckend deckends[MAXLINKS];

static int amongfour(int p, const int four[4])
{
	return p == four[0] || p == four[1] || p == four[2] || p == four[3];
}

// 1 when the deck link d (still in the bridge) faces a deck link of its type
// from p to q and createdeck would change something: a finished deck piece
// is left where it is instead of being made again at the end of the array.
static int deckpieceneeded(const deckend *d, int p, int q)
{
	const int four[4] = {d->point1, d->point2, p, q};
	int front = 0, back = 0, finished = 0, among = 0;
	for (int i = 0; i < numoflinks; i++) {
		const beamstruct *l = &beam[i];
		if (!amongfour(l->point1, four) || !amongfour(l->point2, four))
			continue;
		among++;
		if (!l->deck || l->type != d->type)
			continue;
		if (joins(l, d->point1, d->point2)) {
			front = 1;
			finished += l->point1 == d->point1;
		} else if (joins(l, p, q)) {
			back = 1;
			finished += l->point1 == p;
		}
	}
	return front && back && !(among == 2 && finished == 2);
}

void pairdecks()
{
	int count = 0;
	for (int i = 0; i < numoflinks; i++) {
		const beamstruct *l = &beam[i];
		if (l->deck && livepoint(l->point1) && livepoint(l->point2))
			deckends[count++] = {l->point1, l->point2, l->type};
	}
	// Pairing makes no points and moves none, so the lookups stay valid.
	for (int i = 0; i < numofpoints; i++)
		behindpoint[i] = BEHINDUNKNOWN;
	for (int i = 0; i < count; i++) {
		const deckend *d = &deckends[i];
		int p = behind(d->point1);
		int q = behind(d->point2);
		if (p != -1 && q != -1 && deckpieceneeded(d, p, q))
			createdeck(d->point1, d->point2, p, q, d->type);
	}
}

void cablefirstend(const vector3 *snapped)
{
	vector3 h = *snapped;
	editor.hoverpoint = findpoint(&h);
	firstendset[0] = 0;
	firstendset[1] = 0;
	secondendset[0] = 0;
	secondendset[1] = 0;
	if (livepoint(editor.selectedpoint)) {
		editor.cablecurve[0][0] = point[editor.selectedpoint].position;
		firstendset[0] = 1;
		editor.editstate = 4;
	}
	if (editor.mirror) {
		h.z = editor.mirrorplanez;
		editor.hovermirrorpoint = findpoint(&h);
		if (livepoint(editor.selectedmirrorpoint)) {
			editor.cablecurve[1][0] = point[editor.selectedmirrorpoint].position;
			firstendset[1] = 1;
		}
	}
}

// The straight cable between a curve's two ends, shown until the sag point
// is chosen; not from a first end left over from an earlier cable.
static void previewcable(int curve)
{
	if (!firstendset[curve])
		return;
	int a = findpoint(&editor.cablecurve[curve][0]);
	int b = findpoint(&editor.cablecurve[curve][2]);
	createlink(a, b, LINKSUSPENSION, 0);
}

void cablesecondend(const vector3 *snapped)
{
	vector3 h = *snapped;
	int a = createpoint(&h, POINTJOINT);
	if (a != -1) {
		editor.cablecurve[0][2] = point[a].position;
		secondendset[0] = 1;
		previewcable(0);
	}
	editor.hoverpoint = findpoint(&h);
	if (editor.mirror) {
		h.z = editor.mirrorplanez;
		editor.hovermirrorpoint = findpoint(&h);
		int b = createpoint(&h, POINTJOINT);
		if (b != -1) {
			editor.cablecurve[1][2] = point[b].position;
			secondendset[1] = 1;
			previewcable(1);
		}
	}
}

void laycable(int curve)
{
	if (curve < 0 || curve >= CABLECURVES)
		return;
	vector3 *c = editor.cablecurve[curve];
	if (c[0].x > c[2].x) {
		vector3 t = c[0];
		c[0] = c[2];
		c[2] = t;
	}
	if (c[1].x < c[0].x)
		c[1].x = c[0].x;
	if (c[1].x > c[2].x)
		c[1].x = c[2].x;

	float xa = c[0].x, xb = c[2].x;
	int p = createpoint(&c[0], POINTJOINT);
	// The count bound ends the walk where adding the spacing no longer
	// changes a huge x; no cable could use more points than the array holds.
	float x = roundnumber(xa, CABLESPACING) + CABLESPACING;
	for (int n = 0; x <= xb - CABLESPACING && n < MAXPOINTS; n++) {
		int q = addcurvepoint(curve, POINTCURVE, x);
		if (q != -1) {
			createlink(p, q, LINKSUSPENSION, 0);
			p = q;
		}
		x += CABLESPACING;
	}
	int q = addcurvepoint(curve, POINTJOINT, xb);
	if (q != -1)
		createlink(p, q, LINKSUSPENSION, 0);
}

void cablesagpoint(const vector3 *snapped)
{
	int curves = editor.mirror ? CABLECURVES : 1;
	for (int k = 0; k < curves; k++) {
		editor.cablecurve[k][1] = *snapped;
		if (k == 1)
			editor.cablecurve[k][1].z = editor.mirrorplanez;
		if (firstendset[k] && secondendset[k])
			laycable(k);
	}
}
