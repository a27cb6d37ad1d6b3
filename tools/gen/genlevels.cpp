// The map pack "demo": ten levels rising in difficulty, each stored with
// the reference bridge it was proven with. Levels 2 and 4 double as the
// tutorial's lessons, so their anchors and first links sit where the
// lessons point.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "tools/gen/gendata.h"
#include "tools/gen/levelbuild.h"
#include "world/level.h"
#include "world/mappack.h"

enum { IRON = 2, STEEL = 3, CABLE = 4, SUSPENSION = 5, HEAVY = 6, PULLER = 7, HYDRAULIC = 8 };
enum { ANCHOR = POINTANCHOR, JOINT = POINTJOINT, SPLIT = POINTDRAWBRIDGE, CURVE = POINTCURVE };
enum { TRAIN = 0, BOXCAR = 5, CAR = 17 };

#define COUNT(a) ((int)(sizeof(a) / sizeof((a)[0])))

static int failed;

// The ground and the reference bridge the level is proven with.
static void buildsite(const terrainplan *land, const designpoint *p, int np, const designmember *m, int nm)
{
	buildterrain(land);
	failed += buildbridge(p, np, m, nm);
}

// A queue of cars in one phase, 30 apart where they start and 25 apart
// where they stop.
static void addcars(int count, float startx, float endx, int phase)
{
	for (int k = 0; k < count; k++)
		addvehicle(CAR, startx - 30.0f * k, endx - 25.0f * k, phase, 0, 0);
}

static void finishlevel(const terrainplan *land, int propseed, int houses, const char *file)
{
	addprops(land, propseed, houses);
	setbudgetandlimits();
	failed += !savelevel(file, 0);
}

static void littlecreek()
{
	static const terrainplan land = {1260.0f, 1300.0f, 275.0f, 300.0f, 60.0f, 1, 0.0f, 0.0f};
	static const designpoint p[] = {
		{1260, 320, ANCHOR}, {1300, 320, ANCHOR}, {1280, 320, JOINT},
		{1270, 335, JOINT}, {1290, 335, JOINT},
	};
	static const designmember m[] = {
		{0, 2, IRON, 1}, {2, 1, IRON, 1},
		{0, 3, IRON, 0}, {3, 2, IRON, 0}, {2, 4, IRON, 0}, {4, 1, IRON, 0}, {3, 4, IRON, 0},
	};
	beginlevel("Little Creek", "Span the creek so the cars", "can cross. Iron is all you", "need here.", "");
	buildsite(&land, p, COUNT(p), m, COUNT(m));
	addphase(PHASEVEHICLES);
	addcars(2, 1200.0f, 1420.0f, 1);
	finishlevel(&land, 1, 3, "demo1");
}

// Tutorial lesson one: anchors at x 1250 and 1310; the first link runs
// to (1270, 320) and the second up to (1260, 335).
static void firsttruss()
{
	static const terrainplan land = {1250.0f, 1310.0f, 272.0f, 300.0f, 80.0f, 2, 0.0f, 0.0f};
	static const designpoint p[] = {
		{1250, 320, ANCHOR}, {1310, 320, ANCHOR}, {1270, 320, JOINT}, {1290, 320, JOINT},
		{1260, 335, JOINT}, {1280, 335, JOINT}, {1300, 335, JOINT},
	};
	static const designmember m[] = {
		{0, 2, IRON, 1}, {2, 3, IRON, 1}, {3, 1, IRON, 1},
		{2, 4, IRON, 0}, {0, 4, IRON, 0}, {2, 5, IRON, 0}, {5, 3, IRON, 0},
		{3, 6, IRON, 0}, {6, 1, IRON, 0}, {4, 5, IRON, 0}, {5, 6, IRON, 0},
	};
	beginlevel("First Truss", "A wider creek. Triangles", "keep a bridge stiff: build", "a truss over the deck.", "");
	buildsite(&land, p, COUNT(p), m, COUNT(m));
	addphase(PHASEVEHICLES);
	addcars(3, 1190.0f, 1430.0f, 1);
	finishlevel(&land, 2, 4, "demo2");
}

static void railcrossing()
{
	static const terrainplan land = {1240.0f, 1320.0f, 270.0f, 298.0f, 90.0f, 3, 0.0f, 0.0f};
	static const designpoint p[] = {
		{1240, 320, ANCHOR}, {1320, 320, ANCHOR},
		{1260, 320, JOINT}, {1280, 320, JOINT}, {1300, 320, JOINT},
		{1250, 335, JOINT}, {1270, 335, JOINT}, {1290, 335, JOINT}, {1310, 335, JOINT},
	};
	static const designmember m[] = {
		{0, 2, STEEL, 1}, {2, 3, STEEL, 1}, {3, 4, STEEL, 1}, {4, 1, STEEL, 1},
		{0, 5, STEEL, 0}, {5, 2, STEEL, 0}, {2, 6, STEEL, 0}, {6, 3, STEEL, 0},
		{3, 7, STEEL, 0}, {7, 4, STEEL, 0}, {4, 8, STEEL, 0}, {8, 1, STEEL, 0},
		{5, 6, STEEL, 0}, {6, 7, STEEL, 0}, {7, 8, STEEL, 0},
	};
	beginlevel("Rail Crossing", "A train is coming. Steel is", "stronger than iron, and", "dearer.", "");
	buildsite(&land, p, COUNT(p), m, COUNT(m));
	addphase(PHASEVEHICLES);
	addvehicle(TRAIN, 1205.0f, 1470.0f, 1, 2, BOXCAR);
	finishlevel(&land, 3, 2, "demo3");
}

// Tutorial lesson two: the deck between the lower anchors at x 1240 and
// 1320, hung by cables from the high anchors at (1240, 360) and (1320, 360).
static void hangingdeck()
{
	static const terrainplan land = {1240.0f, 1320.0f, 268.0f, 298.0f, 120.0f, 4, 0.0f, 0.0f};
	static const designpoint p[] = {
		{1240, 320, ANCHOR}, {1320, 320, ANCHOR}, {1240, 360, ANCHOR}, {1320, 360, ANCHOR},
		{1260, 320, JOINT}, {1280, 320, JOINT}, {1300, 320, JOINT},
	};
	static const designmember m[] = {
		{0, 4, IRON, 1}, {4, 5, IRON, 1}, {5, 6, IRON, 1}, {6, 1, IRON, 1},
		{2, 4, CABLE, 0}, {2, 5, CABLE, 0}, {2, 6, CABLE, 0},
		{3, 6, CABLE, 0}, {3, 5, CABLE, 0}, {3, 4, CABLE, 0},
	};
	beginlevel("Hanging Deck", "Hang the deck from the two", "high anchors with cables.", "Cables pull but never push.", "");
	buildsite(&land, p, COUNT(p), m, COUNT(m));
	addphase(PHASEVEHICLES);
	addcars(3, 1180.0f, 1440.0f, 1);
	finishlevel(&land, 4, 3, "demo4");
}

static void windygorge()
{
	static const terrainplan land = {1220.0f, 1340.0f, 262.0f, 292.0f, 160.0f, 5, 0.0f, 0.0f};
	static const designpoint p[] = {
		{1220, 320, ANCHOR}, {1340, 320, ANCHOR}, {1220, 300, ANCHOR}, {1340, 300, ANCHOR},
		{1240, 320, JOINT}, {1260, 320, JOINT}, {1280, 320, JOINT}, {1300, 320, JOINT}, {1320, 320, JOINT},
		{1240, 345, JOINT}, {1260, 345, JOINT}, {1280, 345, JOINT}, {1300, 345, JOINT}, {1320, 345, JOINT},
	};
	static const designmember m[] = {
		{0, 4, STEEL, 1}, {4, 5, STEEL, 1}, {5, 6, STEEL, 1}, {6, 7, STEEL, 1}, {7, 8, STEEL, 1}, {8, 1, STEEL, 1},
		{0, 9, HEAVY, 0}, {13, 1, HEAVY, 0},
		{4, 9, HEAVY, 0}, {5, 10, HEAVY, 0}, {6, 11, HEAVY, 0}, {7, 12, HEAVY, 0}, {8, 13, HEAVY, 0},
		{9, 10, HEAVY, 0}, {10, 11, HEAVY, 0}, {11, 12, HEAVY, 0}, {12, 13, HEAVY, 0},
		{4, 10, HEAVY, 0}, {5, 11, HEAVY, 0}, {7, 11, HEAVY, 0}, {8, 12, HEAVY, 0},
		{2, 4, HEAVY, 0}, {3, 8, HEAVY, 0},
	};
	beginlevel("Windy Gorge", "A wide gorge and a strong", "wind. Heavy steel spans far.", "Cars cross first, then a", "train.");
	buildsite(&land, p, COUNT(p), m, COUNT(m));
	setweather(12.0f, 0.0f);
	addphase(PHASEVEHICLES);
	addphase(PHASEVEHICLES);
	addcars(2, 1160.0f, 1460.0f, 1);
	addvehicle(TRAIN, 1185.0f, 1490.0f, 2, 2, BOXCAR);
	finishlevel(&land, 5, 2, "demo5");
}

// A two-leaf drawbridge: each leaf is a small truss hinged at its bank
// anchor and pushed up by a lengthening hydraulic from the cliff below;
// the deck's middle point is a drawbridge joint that parts and rejoins.
static void drawbridge()
{
	static const terrainplan land = {1240.0f, 1320.0f, 265.0f, 297.0f, 100.0f, 6, 0.0f, 0.0f};
	static const designpoint p[] = {
		{1240, 320, ANCHOR}, {1320, 320, ANCHOR}, {1245, 305, ANCHOR}, {1315, 305, ANCHOR},
		{1260, 320, JOINT}, {1280, 320, SPLIT}, {1300, 320, JOINT},
		{1250, 335, JOINT}, {1270, 335, JOINT}, {1290, 335, JOINT}, {1310, 335, JOINT},
	};
	static const designmember m[] = {
		{0, 4, STEEL, 1}, {4, 5, STEEL, 1}, {5, 6, STEEL, 1}, {6, 1, STEEL, 1},
		{0, 7, STEEL, 0}, {7, 4, STEEL, 0}, {4, 8, STEEL, 0}, {8, 5, STEEL, 0}, {7, 8, STEEL, 0},
		{1, 10, STEEL, 0}, {10, 6, STEEL, 0}, {6, 9, STEEL, 0}, {9, 5, STEEL, 0}, {9, 10, STEEL, 0},
		{2, 4, HYDRAULIC, 0}, {3, 6, HYDRAULIC, 0},
	};
	beginlevel("Drawbridge", "Boats need the river clear.", "Let the bridge open on", "hydraulics and close again:", "the middle joint parts.");
	buildsite(&land, p, COUNT(p), m, COUNT(m));
	setweather(0.0f, 3.0f);
	addphase(PHASEVEHICLES);
	addphase(PHASEDRAWBRIDGEUP);
	addphase(PHASEDRAWBRIDGEDOWN);
	addphase(PHASEVEHICLES);
	addcars(2, 1180.0f, 1440.0f, 1);
	addcars(2, 1180.0f, 1440.0f, 4);
	finishlevel(&land, 6, 4, "demo6");
}

// A single leaf lifted from above: a shortening hydraulic from a high
// anchor behind the hinge pulls the leaf up, and its tip parts from a
// fixed bracket on the far bank.
static void liftspan()
{
	static const terrainplan land = {1250.0f, 1310.0f, 268.0f, 296.0f, 110.0f, 9, 0.0f, 0.0f};
	static const designpoint p[] = {
		{1250, 320, ANCHOR}, {1310, 320, ANCHOR}, {1245, 340, ANCHOR}, {1310, 300, ANCHOR},
		{1270, 320, JOINT}, {1290, 320, SPLIT}, {1260, 335, JOINT}, {1280, 335, JOINT},
	};
	static const designmember m[] = {
		{0, 4, STEEL, 1}, {4, 5, STEEL, 1}, {5, 1, STEEL, 1},
		{0, 6, STEEL, 0}, {6, 4, STEEL, 0}, {4, 7, STEEL, 0}, {7, 5, STEEL, 0}, {6, 7, STEEL, 0},
		{3, 5, HEAVY, 0},
		{2, 6, PULLER, 0},
	};
	beginlevel("Lift Span", "One leaf this time, pulled up", "by a hydraulic that shortens.", "Cars cross, the span lifts", "and lowers, then a train.");
	buildsite(&land, p, COUNT(p), m, COUNT(m));
	addphase(PHASEVEHICLES);
	addphase(PHASEDRAWBRIDGEUP);
	addphase(PHASEDRAWBRIDGEDOWN);
	addphase(PHASEVEHICLES);
	addcars(2, 1190.0f, 1430.0f, 1);
	addvehicle(TRAIN, 1215.0f, 1470.0f, 4, 2, BOXCAR);
	finishlevel(&land, 9, 4, "demo7");
}

static void faultline()
{
	static const terrainplan land = {1230.0f, 1330.0f, 262.0f, 294.0f, 140.0f, 8, 0.0f, 0.0f};
	static const designpoint p[] = {
		{1230, 320, ANCHOR}, {1330, 320, ANCHOR}, {1230, 300, ANCHOR}, {1330, 300, ANCHOR},
		{1250, 320, JOINT}, {1270, 320, JOINT}, {1290, 320, JOINT}, {1310, 320, JOINT},
		{1250, 345, JOINT}, {1270, 345, JOINT}, {1290, 345, JOINT}, {1310, 345, JOINT},
	};
	static const designmember m[] = {
		{0, 4, STEEL, 1}, {4, 5, STEEL, 1}, {5, 6, STEEL, 1}, {6, 7, STEEL, 1}, {7, 1, STEEL, 1},
		{0, 8, HEAVY, 0}, {11, 1, HEAVY, 0},
		{4, 8, HEAVY, 0}, {5, 9, HEAVY, 0}, {6, 10, HEAVY, 0}, {7, 11, HEAVY, 0},
		{8, 9, HEAVY, 0}, {9, 10, HEAVY, 0}, {10, 11, HEAVY, 0},
		{4, 9, HEAVY, 0}, {7, 10, HEAVY, 0}, {5, 10, HEAVY, 0}, {6, 9, HEAVY, 0},
		{2, 4, HEAVY, 0}, {3, 7, HEAVY, 0},
	};
	beginlevel("Fault Line", "The ground here shakes. A", "train crosses, the earth", "quakes, then the cars follow.", "");
	buildsite(&land, p, COUNT(p), m, COUNT(m));
	addphase(PHASEVEHICLES);
	addphase(PHASEEARTHQUAKE + 2);
	addphase(PHASEVEHICLES);
	addvehicle(TRAIN, 1195.0f, 1480.0f, 1, 3, BOXCAR);
	addcars(2, 1170.0f, 1450.0f, 3);
	finishlevel(&land, 8, 3, "demo8");
}

// A deck hung from a suspension cable between two towers, braced by
// cables running down to the deck.
static void suspension()
{
	static const terrainplan land = {1200.0f, 1360.0f, 258.0f, 290.0f, 180.0f, 7, 0.0f, 0.0f};
	static designpoint p[4 + 7 + 7] = {
		{1200, 320, ANCHOR}, {1360, 320, ANCHOR}, {1200, 380, ANCHOR}, {1360, 380, ANCHOR},
	};
	static designmember m[8 + 8 + 7 + 12];
	int nm = 0;
	for (int k = 0; k < 7; k++) {
		float x = 1220.0f + 20.0f * k;
		float f = (x - 1280.0f) / 80.0f;
		p[4 + k] = designpoint{x, 320.0f, JOINT};
		p[11 + k] = designpoint{x, 330.0f + 50.0f * f * f, CURVE};
	}
	for (int k = 0; k < 8; k++) {
		int a = k == 0 ? 0 : 3 + k;
		int b = k == 7 ? 1 : 4 + k;
		m[nm++] = designmember{a, b, STEEL, 1};
	}
	for (int k = 0; k < 8; k++) {
		int a = k == 0 ? 2 : 10 + k;
		int b = k == 7 ? 3 : 11 + k;
		m[nm++] = designmember{a, b, SUSPENSION, 0};
	}
	for (int k = 0; k < 7; k++) {
		m[nm++] = designmember{11 + k, 4 + k, CABLE, 0};
		if (k > 0)
			m[nm++] = designmember{11 + k, 3 + k, CABLE, 0};
		if (k < 6)
			m[nm++] = designmember{11 + k, 5 + k, CABLE, 0};
	}
	beginlevel("Suspension", "The widest river yet. Hang", "the deck from a suspension", "cable between the towers.", "");
	buildsite(&land, p, COUNT(p), m, nm);
	addphase(PHASEVEHICLES);
	addcars(3, 1140.0f, 1480.0f, 1);
	finishlevel(&land, 7, 3, "demo9");
}

// The last crossing: a deep truss over a wide gap, resting on a rock pier
// midstream, with wind, a current, a train, a quake and then cars.
static void grandcrossing()
{
	constexpr float left = 1220.0f, right = 1340.0f;
	constexpr int panels = 6;
	static const terrainplan land = {left, right, 255.0f, 285.0f, 200.0f, 10, 1280.0f, 292.0f};
	static designpoint p[5 + 2 * (panels - 1)];
	static designmember m[panels + 2 + 3 * (panels - 1) + 2 + 3];
	int np = 0, nm = 0;
	p[np++] = designpoint{left, 320, ANCHOR};
	p[np++] = designpoint{right, 320, ANCHOR};
	p[np++] = designpoint{left, 295, ANCHOR};
	p[np++] = designpoint{right, 295, ANCHOR};
	p[np++] = designpoint{1280, 292, ANCHOR};
	const int deck = np;
	for (int k = 1; k < panels; k++)
		p[np++] = designpoint{left + 20.0f * k, 320, JOINT};
	const int top = np;
	for (int k = 1; k < panels; k++)
		p[np++] = designpoint{left + 20.0f * k, 350, JOINT};
	const int inner = panels - 1;  // deck and top points between the banks
	for (int k = 0; k < panels; k++)
		m[nm++] = designmember{k == 0 ? 0 : deck + k - 1, k == panels - 1 ? 1 : deck + k, STEEL, 1};
	m[nm++] = designmember{0, top, HEAVY, 0};
	m[nm++] = designmember{top + inner - 1, 1, HEAVY, 0};
	for (int k = 0; k < inner; k++)
		m[nm++] = designmember{deck + k, top + k, HEAVY, 0};
	for (int k = 0; k + 1 < inner; k++)
		m[nm++] = designmember{top + k, top + k + 1, HEAVY, 0};
	// Diagonals rising towards the middle from either end.
	for (int k = 0; k + 1 < inner; k++) {
		int towardsright = left + 20.0f * (k + 1) < 1280.0f;
		if (towardsright)
			m[nm++] = designmember{deck + k, top + k + 1, HEAVY, 0};
		else
			m[nm++] = designmember{deck + k + 1, top + k, HEAVY, 0};
	}
	m[nm++] = designmember{2, deck, HEAVY, 0};
	m[nm++] = designmember{3, deck + inner - 1, HEAVY, 0};
	for (int k = 0; k < inner; k++)
		if (fabsf(p[deck + k].x - 1280.0f) <= 20.0f)
			m[nm++] = designmember{4, deck + k, HEAVY, 0};
	beginlevel("Grand Crossing", "A deep gap, a rock pier", "midstream, wind and a current.", "A train crosses, the ground", "quakes, then the cars follow.");
	buildsite(&land, p, np, m, nm);
	setweather(8.0f, 4.0f);
	addphase(PHASEVEHICLES);
	addphase(PHASEEARTHQUAKE);
	addphase(PHASEVEHICLES);
	addvehicle(TRAIN, 1185.0f, 1490.0f, 1, 3, BOXCAR);
	addcars(3, 1160.0f, 1470.0f, 3);
	finishlevel(&land, 10, 5, "demo10");
}

static const char *const packlevels[] = {
	"demo1", "demo2", "demo3", "demo4", "demo5", "demo6", "demo7", "demo8", "demo9", "demo10",
};

static const char *const packtext[MAXPACKTEXTLINES] = {
	"Congratulations!",
	"",
	"Every bridge of the demo pack",
	"stands. Trains and cars got",
	"across, drawbridges opened",
	"and closed, and the earth",
	"shook in vain.",
	"",
	"Thank you for playing",
	"Trusvane.",
	"",
	"",
	"Ten rivers, gorges and",
	"faults to bridge, from a",
	"creek to the grand crossing.",
	"Start with Little Creek.",
};

static void writepack()
{
	memset(&mappack, 0, sizeof(mappack));
	mappack.numoflevels = COUNT(packlevels);
	for (int i = 0; i < COUNT(packlevels); i++)
		copystring(mappack.levelname[i], packlevels[i], NAMESIZE);
	for (int i = 0; i < MAXPACKTEXTLINES; i++)
		copystring(mappack.text[i], packtext[i], NAMESIZE);
	copystring(mappackname, "demo", NAMESIZE);
	failed += !savemappack();
}

int generatelevels()
{
	failed = 0;
	makefolder("files");
	if (chdir("files") != 0)
		return 1;
	writepack();
	makefolder("demo");
	if (chdir("demo") != 0) {
		failed += chdir("..") != 0;
		return failed + 1;
	}
	littlecreek();
	firsttruss();
	railcrossing();
	hangingdeck();
	windygorge();
	drawbridge();
	liftspan();
	faultline();
	suspension();
	grandcrossing();
	failed += chdir("../..") != 0;
	return failed;
}
