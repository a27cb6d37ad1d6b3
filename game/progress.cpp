#include "game/progress.h"

#include "editor/bridgeedit.h"
#include "editor/editor.h"
#include "world/level.h"
#include "world/mappack.h"
#include "world/worldfile.h"

#include <cstdio>
#include <sys/stat.h>

char leveldirname[NAMESIZE];
char levelfilename[NAMESIZE];
int helpmenutoggle;

void makeprofilefolder()
{
	if (cd_home()) {
		mkdir("profile", 0777);
		if (enterfolder("profile") && safefilename(profilename))
			mkdir(profilename, 0777);
	}
	cd_cwd();
}

int enterprofilefolder()
{
	// An unsafe profile name could lead out of the profile folder.
	return safefilename(profilename) && cd_home() && enterfolder("profile") &&
		enterfolder(profilename);
}

// Set when the profile holds a pack file of the open pack that could not be
// read: cut short, damaged, or written by another version of the game.
static int unreadablepack;

static int packfileexists()
{
	char filename[PATHSIZE];
	struct stat s;
	return buildfilename(filename, sizeof filename, mappackname, ".tvm") &&
		stat(filename, &s) == 0;
}

int openmappack()
{
	int inprofile = enterprofilefolder();
	int loaded = inprofile && loadmappack();
	unreadablepack = inprofile && !loaded && packfileexists();
	cd_cwd();
	if (!loaded) {
		loaded = enterfolder("files") && loadmappack();
		cd_cwd();
	}
	return loaded;
}

// The fresh pack is played in place of an unreadable one, but the player's
// progress in it may still be worth something (a newer game could read
// it): it is kept as "<pack>.tvm.old" instead of being written over.
static int keepunreadablepack()
{
	if (!unreadablepack)
		return 1;
	char filename[PATHSIZE], oldname[PATHSIZE];
	if (!buildfilename(filename, sizeof filename, mappackname, ".tvm") ||
		!buildfilename(oldname, sizeof oldname, mappackname, ".tvm.old"))
		return 0;
	if (rename(filename, oldname) != 0)
		return 0;
	unreadablepack = 0;
	return 1;
}

int saveprofilemappack()
{
	// Only into the profile: where a folder change failed, the pack would
	// otherwise land in the home folder or the game data.
	int saved = enterprofilefolder() && keepunreadablepack() && savemappack();
	cd_cwd();
	return saved;
}

int levelopen(int i)
{
	if (i <= 0 || !cheat[2])
		return 1;
	return mappack.completed[i] || mappack.completed[i - 1];
}

// The bare level starts with its anchors only.
static void keepanchors()
{
	// From the end: a deletion moves the last point, already kept, into the
	// freed slot.
	for (int n = numofpoints - 1; n >= 0; n--) {
		if (point[n].type != 0)
			deletepoint(n);
	}
}

int loadpacklevel(int i, int anchorsonly, int *savedbridge)
{
	if (i < 0 || i >= mappack.numoflevels || i >= MAXPACKLEVELS)
		return 0;
	const char *name = mappack.levelname[i];
	int loaded = enterprofilefolder() && enterfolder(mappackname) && loadlevel(name, 1);
	cd_cwd();
	if (loaded) {
		*savedbridge = 1;
		return 1;
	}
	loaded = enterfolder("files") && enterfolder(mappackname) && loadlevel(name, 0);
	cd_cwd();
	if (!loaded)
		return 0;
	if (anchorsonly)
		keepanchors();
	*savedbridge = 0;
	return 1;
}
