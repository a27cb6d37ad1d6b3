#include "tests/gendatafolder.h"

#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <unistd.h>

#include "platform/files.h"
#include "world/level.h"
#include "world/mappack.h"
#include "tools/gen/gendata.h"

static char startfolder[PATHSIZE];
static char testfolder[PATHSIZE];
static int failures = -1;

static int removeentry(const char *path, const struct stat *, int, struct FTW *)
{
	return remove(path);
}

void removefolder(const char *path)
{
	nftw(path, removeentry, 16, FTW_DEPTH | FTW_PHYS);
}

// The folder goes when the test program ends, however its tests went.
static void removestartfolder()
{
	removefolder(startfolder);
}

int generateeverything()
{
	return generatetextures() + generatebackdrops() + generatesounds() + generatemodels()
		+ generatelevels();
}

const char *generatedstartfolder()
{
	if (failures >= 0)
		return startfolder;
	checkbigendian();
	copystring(startfolder, "/tmp/tvgendataXXXXXX", sizeof startfolder);
	if (!mkdtemp(startfolder)) {
		failures = 1;
		return startfolder;
	}
	atexit(removestartfolder);
	if (!getcwd(testfolder, sizeof testfolder) || chdir(startfolder) != 0) {
		failures = 1;
		return startfolder;
	}
	failures = generateeverything();
	if (chdir(testfolder) != 0)
		failures++;
	return startfolder;
}

int generationfailures()
{
	generatedstartfolder();
	return failures;
}

int enterstartfolder(const char *sub)
{
	generatedstartfolder();
	if (chdir(startfolder) != 0)
		return 0;
	if (sub && chdir(sub) != 0) {
		leavestartfolder();
		return 0;
	}
	return 1;
}

void leavestartfolder()
{
	if (chdir(testfolder) != 0)
		abort();
}

int loadpack()
{
	if (!enterstartfolder("files"))
		return 0;
	copystring(mappackname, "demo", NAMESIZE);
	int ok = loadmappack();
	leavestartfolder();
	return ok;
}

int loaddemolevel(const char *name)
{
	if (!enterstartfolder("files/demo"))
		return 0;
	int ok = loadlevel(name, 0);
	leavestartfolder();
	return ok;
}
