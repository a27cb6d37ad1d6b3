// The level record, the bridge's points and links, and the level and bridge
// files (".tvl" and ".tvb", one format).
#pragma once

#include "platform/files.h"
#include "platform/vector.h"

constexpr int MAXPOINTS = 16384;
constexpr int MAXLINKS = 16384;
constexpr int MAXCOLORBANDS = 4;
constexpr int MAXDESCRIPTIONLINES = 16;
constexpr int MAXMATERIALLIMITS = 32;
constexpr int MAXPHASES = 32;
constexpr int MAXLEVELOBJECTS = 64;
constexpr int MAXCARS = 32;
constexpr int MAXWAYPOINTS = 32;
constexpr int MAXPROPS = 512;
constexpr int MAXLINKCOLORS = 32;
constexpr int PHASEDATAWORDS = 16;

// The wind and the current live in two words of the last phase slot.
constexpr int WINDPHASE = MAXPHASES - 1;
constexpr int WINDSPEEDWORD = 8;
constexpr int CURRENTSPEEDWORD = 9;

// Phase types; 3 and above is an earthquake of magnitude type - 3.
constexpr int PHASEVEHICLES = 0;
constexpr int PHASEDRAWBRIDGEUP = 1;
constexpr int PHASEDRAWBRIDGEDOWN = 2;
constexpr int PHASEEARTHQUAKE = 3;

// Point types; -1 marks a point the editor is about to delete.
constexpr int POINTANCHOR = 0;
constexpr int POINTJOINT = 1;
constexpr int POINTDRAWBRIDGE = 2;
constexpr int POINTCURVE = 3;

constexpr int LEVELVERSION = 5;

struct colorbandstruct {
	vector3 color;
	float top;  // upper height of the band
};

struct phasestruct {
	int type;
	float data[PHASEDATAWORDS];  // kept through load and save
};

struct levelobjectstruct {
	int type;  // below 16 rail vehicle, 16-31 road vehicle, 32 and above boat
	int numofcars;
	int cartype[MAXCARS];
	int inphase[MAXPHASES];  // nonzero: created in phase index + 1
	vector3 position;
	::orientation orientation;
	int numofwaypoints;
	vector3 waypoint[MAXWAYPOINTS];
};

struct propstruct {
	int model;  // index into propmodel, -1 when the model file is missing
	char name[NAMESIZE];
	vector3 position;
	::orientation orientation;
};

struct levelstruct {
	int landscapewidth;  // vertices along x, the row stride of the heights
	int landscapedepth;
	float waterlevel;
	colorbandstruct colorband[MAXCOLORBANDS];
	char levelname[NAMESIZE];
	char designer[NAMESIZE];
	char description[MAXDESCRIPTIONLINES][NAMESIZE];
	char bridgename[NAMESIZE];
	char architect[NAMESIZE];
	int budget;
	int materiallimit[MAXMATERIALLIMITS];  // 0: not available
	int numofphases;
	phasestruct phase[MAXPHASES];  // entry k is phase k + 1
	int numoflevelobjects;
	levelobjectstruct levelobject[MAXLEVELOBJECTS];
	int numofprops;
	propstruct prop[MAXPROPS];
	vector3 linkcolor[MAXLINKCOLORS];
};

struct pointstruct {
	int type;
	vector3 position;
};

struct beamstruct {
	int type;  // link type, index into linktype
	int deck;  // 1: carries a road deck
	int point1;
	int point2;
	int highlight;  // the editor's mouse-over flag, saved like the rest
};

// The file holds these records field for field; their sizes fix its layout.
static_assert(sizeof(colorbandstruct) == 16, "colour band is four words");
static_assert(sizeof(phasestruct) == 68, "phase is 17 words");
static_assert(sizeof(levelobjectstruct) == 700, "placement record is 700 bytes");
static_assert(sizeof(propstruct) == 84, "prop record is 84 bytes");
static_assert(sizeof(levelstruct) == 91228, "level record spans offsets 8 to 91236");
static_assert(sizeof(pointstruct) == 16, "point is 16 bytes in the file");
static_assert(sizeof(beamstruct) == 20, "link is 20 bytes in the file");

extern levelstruct level;
extern pointstruct point[MAXPOINTS];
extern int numofpoints;
extern beamstruct beam[MAXLINKS];
extern int numoflinks;

// The bridge name and architect, held aside while a level file is written
// with both blanked.
extern char bridgenametemp[NAMESIZE];
extern char architecttemp[NAMESIZE];

// The current player profile; a level file loaded for play is signed with it.
extern char profilename[NAMESIZE];

// Size in bytes of a level or bridge file with these counts.
long long levelfilesize(int points, int links);

// ".tvb" for a bridge file (bridge nonzero), else ".tvl".
const char *levelextension(int bridge);
// Opens name + ".tvb" (bridge nonzero) or name + ".tvl" in the current
// folder. Returns 1 when the whole file was valid and is now loaded; 0 when
// it is missing, refused or cut short, and then nothing has changed.
int loadlevel(const char *name, int bridge);
// Writes the level, heights, points and links; a level file goes out with
// the bridge name and architect blanked. Returns 1 on success; on failure
// an existing file of that name is left as it was.
int savelevel(const char *name, int bridge);
void deletelevel(const char *name, int bridge);
// Makes nothing: levels come from files. Kept beside the other three as
// part of the level file interface.
void createlevel(int width, int depth);

// Shows the "Loading..." frame while a level is read. The window library
// draws it; headless builds do nothing.
void drawloadingframe();
