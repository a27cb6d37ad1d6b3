#include "game/progress.h"

#include "editor/bridgeedit.h"
#include "editor/editor.h"
#include "world/level.h"
#include "world/mappack.h"
#include "world/worldfile.h"

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

int openmappack()
{
	int loaded = enterprofilefolder() && loadmappack();
	cd_cwd();
	if (!loaded) {
		loaded = enterfolder("files") && loadmappack();
		cd_cwd();
	}
	return loaded;
}

int saveprofilemappack()
{
	// Only into the profile: where a folder change failed, the pack would
	// otherwise land in the home folder or the game data.
	int saved = enterprofilefolder() && savemappack();
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
