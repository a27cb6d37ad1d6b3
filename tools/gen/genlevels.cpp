// The map pack "demo": ten levels rising in difficulty. Each level's
// bridge is built from its anchors by a player's clicks in the bridge
// editor (clickreplay.h), and the level stores what those clicks leave.
// Levels 2 and 4 double as the tutorial's lessons, so their anchors and
// first clicks sit where the lessons point.
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "tools/gen/gendata.h"
#include "tools/gen/levelbuild.h"
#include "world/level.h"
#include "world/mappack.h"

enum { TRAIN = 0, BOXCAR = 5, CAR = 17 };

#define COUNT(a) ((int)(sizeof(a) / sizeof((a)[0])))

static int failed;

// The clicks that build each level's bridge, by level.
static const char *const clicks[] = {
	// Little Creek: the deck, a low king post over it, and hangers fanned
	// from the post's top to the deck joints.
	"iron 1260,320 1270,320 1280,320 1290,320 1300,320 | 1260,320 1280,325 1300,320 "
	"| 1270,320 1280,325 1290,320 | 1280,320 1280,325",
	// First Truss: the lesson's anchor, deck piece and link up come first;
	// then the deck in short pieces, each joint hung from one node that
	// fans out to the lesson's triangle and the far anchor.
	"iron 1250,320 1270,320 1260,335 1250,320 | 1270,320 1280,320 1290,320 1300,320 "
	"| 1260,335 1280,330 | 1270,320 1280,330 1280,320 | 1280,330 1290,320 | 1280,330 1300,320",
	// Rail Crossing: a steel deck under a steel truss as deep as a steel
	// diagonal reaches.
	"steel 1240,320 1260,320 1280,320 1300,320 1320,320 "
	"| 1240,320 1250,340 1260,320 1270,340 1280,320 1290,340 1300,320 1310,340 1320,320 "
	"| 1250,340 1270,340 1290,340 1310,340",
	// Hanging Deck: the lesson's deck, then from each high anchor a cable to
	// the nearer deck joint and one to a node above the middle, which holds
	// the middle joint.
	"iron 1240,320 1260,320 1280,320 1300,320 1320,320 "
	"| cable 1240,360 +y 1260,320 1280,340 -y | 1280,340 1280,320 | 1320,360 +y 1300,320 1280,340 -y",
	// Windy Gorge: a steel deck carried by heavy steel struts fanned from the
	// lower anchors, and a steel truss over the middle between them.
	"steel 1220,320 1240,320 1260,320 1280,320 1300,320 1320,320 1340,320 "
	"| 1260,320 1270,335 1280,320 1290,335 1300,320 | 1270,335 1290,335 "
	"| heavy 1225,300 1240,320 | 1225,300 1260,320 | 1335,300 1320,320 | 1335,300 1300,320",
	// Drawbridge: two trussed leaves pushed up by the second hydraulic kind;
	// the middle joint parts.
	"steel 1240,320 1260,320 1280,320 1300,320 1320,320 "
	"| 1240,320 1250,335 1260,320 1270,335 1280,320 1290,335 1300,320 1310,335 1320,320 "
	"| 1250,335 1270,335 | 1290,335 1310,335 "
	"| hydraulic hydraulic 1245,305 1260,320 | 1315,305 1300,320 | j 1280,320 j",
	// Lift Span: one leaf, deep where the first hydraulic kind pulls it up
	// and tapering to its tip, which parts from a heavy steel bracket.
	"steel 1250,320 1270,320 1290,320 1310,320 | 1250,320 1260,335 1270,320 1280,325 1290,320 "
	"| 1260,335 1280,325 | heavy 1305,300 1290,320 | hydraulic 1245,340 1260,335 | j 1290,320 j",
	// Fault Line: a steel truss over the deck, propped from the lower
	// anchors with heavy steel.
	"steel 1230,320 1250,320 1270,320 1290,320 1310,320 1330,320 "
	"| 1230,320 1240,330 1250,320 1260,330 1270,320 1280,330 1290,320 1300,330 1310,320 1320,330 1330,320 "
	"| 1240,330 1260,330 1280,330 1300,330 1320,330 | heavy 1235,300 1250,320 | 1325,300 1310,320",
	// Suspension: the deck, the cable between the towers sagging to the
	// lowest point the view reaches, and a hanger straight up from each deck
	// joint to the curve point above it.
	"steel 1210,320 1230,320 1250,320 1270,320 1290,320 1310,320 1330,320 1350,320 "
	"| suspension 1210,380 1350,380 1280,300 "
	"| cable 1230,320 1230,360 | 1250,320 1250,345 | 1270,320 1270,340 | 1290,320 1290,340 "
	"| 1310,320 1310,345 | 1330,320 1330,360",
	// Grand Crossing: a steel truss over the deck, propped with heavy steel
	// from the banks and from the pier.
	"steel 1220,320 1240,320 1260,320 1280,320 1300,320 1320,320 1340,320 "
	"| 1220,320 1230,330 1240,320 1250,330 1260,320 1270,330 1280,320 1290,330 1300,320 1310,330 1320,320 "
	"1330,330 1340,320 | 1230,330 1250,330 1270,330 1290,330 1310,330 1330,330 "
	"| heavy 1225,300 1240,320 | 1335,300 1320,320 | 1280,300 1280,320",
};

// Beside each level's clicks, the clicks of a weaker bridge that a player
// might try first: it stands on its own but not under the level's traffic.
static const char *const weakclicks[] = {
	// Little Creek: a flat truss with posts, too shallow for the cars.
	"iron 1260,320 1270,320 1280,320 1290,320 1300,320 | 1260,320 1270,325 1280,320 1290,325 1300,320 "
	"| 1270,325 1290,325 | 1270,320 1270,325 | 1290,320 1290,325",
	// First Truss: the same fan from a node 5 lower, too flat for the cars.
	"iron 1250,320 1270,320 1260,335 1250,320 | 1270,320 1280,320 1290,320 1300,320 "
	"| 1260,335 1280,325 | 1270,320 1280,325 1280,320 | 1280,325 1290,320 | 1280,325 1300,320",
	// Rail Crossing: a flatter truss, its end panels lowered to save steel.
	"steel 1240,320 1260,320 1280,320 1300,320 1320,320 "
	"| 1240,320 1250,330 1260,320 1270,335 1280,320 1290,335 1300,320 1310,330 1320,320 "
	"| 1250,330 1270,335 1290,335 1310,330",
	// Hanging Deck: a shallow cable between the high anchors with two
	// hangers from its middle, and cables straight to the middle joint.
	"iron 1240,320 1260,320 1280,320 1300,320 1320,320 "
	"| cable 1240,360 1280,355 1320,360 | 1280,355 +y 1260,320 1300,320 -y | 1240,360 1280,320 1320,360",
	// Windy Gorge: the struts alone, no truss over the middle.
	"steel 1220,320 1240,320 1260,320 1280,320 1300,320 1320,320 1340,320 "
	"| heavy 1225,300 1240,320 | 1225,300 1260,320 | 1335,300 1320,320 | 1335,300 1300,320",
	// Drawbridge: the same leaves as flat trusses, their top chords only 5
	// above the deck.
	"steel 1240,320 1260,320 1280,320 1300,320 1320,320 "
	"| 1240,320 1250,325 1260,320 1270,325 1280,320 1290,325 1300,320 1310,325 1320,320 "
	"| 1250,325 1270,325 | 1290,325 1310,325 "
	"| hydraulic hydraulic 1245,305 1260,320 | 1315,305 1300,320 | j 1280,320 j",
	// Lift Span: a flat leaf, its hydraulic pulling low on it.
	"steel 1250,320 1270,320 1290,320 1310,320 | 1250,320 1260,325 1270,320 1280,325 1290,320 "
	"| 1260,325 1280,325 | heavy 1305,300 1290,320 | hydraulic 1245,340 1260,325 | j 1290,320 j",
	// Fault Line: the top chord's two middle links left out.
	"steel 1230,320 1250,320 1270,320 1290,320 1310,320 1330,320 "
	"| 1230,320 1240,330 1250,320 1260,330 1270,320 1280,330 1290,320 1300,330 1310,320 1320,330 1330,320 "
	"| 1240,330 1260,330 | 1300,330 1320,330 | heavy 1235,300 1250,320 | 1325,300 1310,320",
	// Suspension: the inner hangers all gathered at the cable's low point,
	// so the deck between them sways under the cars.
	"steel 1210,320 1230,320 1250,320 1270,320 1290,320 1310,320 1330,320 1350,320 "
	"| suspension 1210,380 1350,380 1280,300 "
	"| cable 1230,320 1250,345 | 1250,320 1280,340 | 1270,320 1280,340 | 1290,320 1280,340 "
	"| 1310,320 1280,340 | 1330,320 1310,345",
	// Grand Crossing: no prop from the pier.
	"steel 1220,320 1240,320 1260,320 1280,320 1300,320 1320,320 1340,320 "
	"| 1220,320 1230,330 1240,320 1250,330 1260,320 1270,330 1280,320 1290,330 1300,320 1310,330 1320,320 "
	"1330,330 1340,320 | 1230,330 1250,330 1270,330 1290,330 1310,330 1330,330 "
	"| heavy 1225,300 1240,320 | 1335,300 1320,320",
};

// The ground, the anchors and the bridge the clicks of level n build.
static void buildsite(const terrainplan *land, const anchorpoint *anchors, int numanchors, int n)
{
	buildterrain(land);
	placeanchors(anchors, numanchors);
	int missed = clickbridge(clicks[n]);
	if (missed)
		fprintf(stderr, "demo%d: %d clicks could not be played\n", n + 1, missed);
	failed += missed;
}

// A queue of cars in one phase, gap apart where they start and 25 apart
// where they stop.
static void addqueue(int count, float gap, float startx, float endx, int phase)
{
	for (int k = 0; k < count; k++)
		addvehicle(CAR, startx - gap * k, endx - 25.0f * k, phase, 0, 0);
}

// Cars 30 apart: no more than two on a short span at once.
static void addcars(int count, float startx, float endx, int phase)
{
	addqueue(count, 30.0f, startx, endx, phase);
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
	static const anchorpoint a[] = {{1260, 320}, {1300, 320}};
	beginlevel("Little Creek", "Span the creek so the cars", "can cross. Iron is all you", "need here.", "");
	buildsite(&land, a, COUNT(a), 0);
	addphase(PHASEVEHICLES);
	addcars(2, 1200.0f, 1420.0f, 1);
	finishlevel(&land, 1, 3, "demo1");
}

// Tutorial lesson one: anchors at x 1250 and 1300; the first link runs
// to (1270, 320) and the second up to (1260, 335).
static void firsttruss()
{
	static const terrainplan land = {1250.0f, 1300.0f, 272.0f, 300.0f, 80.0f, 2, 0.0f, 0.0f};
	static const anchorpoint a[] = {{1250, 320}, {1300, 320}};
	beginlevel("First Truss", "A wider creek. Triangles", "keep a bridge stiff: build", "a truss over the deck.", "");
	buildsite(&land, a, COUNT(a), 1);
	addphase(PHASEVEHICLES);
	// A close queue: the span carries four cars at once.
	addqueue(4, 12.0f, 1190.0f, 1430.0f, 1);
	finishlevel(&land, 2, 4, "demo2");
}

static void railcrossing()
{
	static const terrainplan land = {1240.0f, 1320.0f, 270.0f, 298.0f, 90.0f, 3, 0.0f, 0.0f};
	static const anchorpoint a[] = {{1240, 320}, {1320, 320}};
	beginlevel("Rail Crossing", "A train is coming. Steel is", "stronger than iron, and", "dearer.", "");
	buildsite(&land, a, COUNT(a), 2);
	addphase(PHASEVEHICLES);
	addvehicle(TRAIN, 1205.0f, 1470.0f, 1, 2, BOXCAR);
	finishlevel(&land, 3, 2, "demo3");
}

// Tutorial lesson two: the deck between the lower anchors at x 1240 and
// 1320, hung by cables from the high anchors at (1240, 360) and (1320, 360).
static void hangingdeck()
{
	static const terrainplan land = {1240.0f, 1320.0f, 268.0f, 298.0f, 120.0f, 4, 0.0f, 0.0f};
	static const anchorpoint a[] = {{1240, 320}, {1320, 320}, {1240, 360}, {1320, 360}};
	beginlevel("Hanging Deck", "Hang the deck from the two", "high anchors with cables.", "Cables pull but never push.", "");
	buildsite(&land, a, COUNT(a), 3);
	addphase(PHASEVEHICLES);
	addcars(3, 1180.0f, 1440.0f, 1);
	finishlevel(&land, 4, 3, "demo4");
}

static void windygorge()
{
	static const terrainplan land = {1220.0f, 1340.0f, 262.0f, 292.0f, 160.0f, 5, 0.0f, 0.0f};
	static const anchorpoint a[] = {{1220, 320}, {1340, 320}, {1225, 300}, {1335, 300}};
	beginlevel("Windy Gorge", "A wide gorge and a strong", "wind. Heavy steel spans far.", "Cars cross first, then a", "train.");
	buildsite(&land, a, COUNT(a), 4);
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
	static const anchorpoint a[] = {{1240, 320}, {1320, 320}, {1245, 305}, {1315, 305}};
	beginlevel("Drawbridge", "Boats need the river clear.", "Let the bridge open on", "hydraulics and close again:", "the middle joint parts.");
	buildsite(&land, a, COUNT(a), 5);
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
	static const anchorpoint a[] = {{1250, 320}, {1310, 320}, {1245, 340}, {1305, 300}};
	beginlevel("Lift Span", "One leaf this time, pulled up", "by a hydraulic that shortens.", "Cars cross, the span lifts", "and lowers, then a train.");
	buildsite(&land, a, COUNT(a), 6);
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
	static const anchorpoint a[] = {{1230, 320}, {1330, 320}, {1235, 300}, {1325, 300}};
	beginlevel("Fault Line", "The ground here shakes. A", "train crosses, the earth", "quakes, then the cars follow.", "");
	buildsite(&land, a, COUNT(a), 7);
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
	static const terrainplan land = {1210.0f, 1350.0f, 258.0f, 290.0f, 180.0f, 7, 0.0f, 0.0f};
	static const anchorpoint a[] = {{1210, 320}, {1350, 320}, {1210, 380}, {1350, 380}};
	beginlevel("Suspension", "The widest river yet. Hang", "the deck from a suspension", "cable between the towers.", "");
	buildsite(&land, a, COUNT(a), 8);
	addphase(PHASEVEHICLES);
	addcars(3, 1140.0f, 1480.0f, 1);
	finishlevel(&land, 7, 3, "demo9");
}

// The last crossing: a truss over a wide gap, propped from the banks and
// from a rock pier midstream, with wind, a current, a train, a quake and
// then cars.
static void grandcrossing()
{
	static const terrainplan land = {1220.0f, 1340.0f, 255.0f, 285.0f, 200.0f, 10, 1280.0f, 300.0f};
	static const anchorpoint a[] = {{1220, 320}, {1340, 320}, {1225, 300}, {1335, 300}, {1280, 300}};
	beginlevel("Grand Crossing", "A deep gap, a rock pier", "midstream, wind and a current.", "A train crosses, the ground", "quakes, then the cars follow.");
	buildsite(&land, a, COUNT(a), 9);
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

static const char *scriptof(const char *const *scripts, const char *file)
{
	for (int i = 0; i < COUNT(packlevels); i++) {
		if (!strcmp(file, packlevels[i]))
			return scripts[i];
	}
	return nullptr;
}

const char *levelclicks(const char *file)
{
	static_assert(COUNT(clicks) == COUNT(packlevels), "one script per level");
	return scriptof(clicks, file);
}

const char *levelweakclicks(const char *file)
{
	static_assert(COUNT(weakclicks) == COUNT(packlevels), "one weak script per level");
	return scriptof(weakclicks, file);
}

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
