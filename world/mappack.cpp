#include "world/mappack.h"

#include <cstdio>

#include "world/worldfile.h"

mappackstruct mappack;
char mappackname[NAMESIZE];

static mappackstruct stagepack;

static int readmappackfile(mappackstruct *p)
{
	int version = 0;
	if (!readints(&version, 1) || version != MAPPACKVERSION)
		return 0;
	if (!readints(&p->numoflevels, 1) || p->numoflevels < 0 ||
		p->numoflevels > MAXPACKLEVELS)
		return 0;
	for (int i = 0; i < MAXPACKLEVELS; i++) {
		if (!readtext(p->levelname[i], NAMESIZE))
			return 0;
	}
	if (!readints(p->completed, MAXPACKLEVELS))
		return 0;
	for (int i = 0; i < MAXPACKTEXTLINES; i++) {
		if (!readtext(p->text[i], NAMESIZE))
			return 0;
	}
	return atendoffile();
}

int loadmappack()
{
	char filename[PATHSIZE];
	if (!buildfilename(filename, sizeof filename, mappackname, ".tvm"))
		return 0;
	fp = fopen(filename, "rb");
	if (!fp)
		return 0;
	int ok = readmappackfile(&stagepack);
	fclose(fp);
	fp = nullptr;
	if (ok)
		mappack = stagepack;
	return ok;
}

static int writemappackfile(const mappackstruct *p)
{
	const int version = MAPPACKVERSION;
	if (!writeints(&version, 1) || !writeints(&p->numoflevels, 1))
		return 0;
	for (int i = 0; i < MAXPACKLEVELS; i++) {
		if (!writetext(p->levelname[i], NAMESIZE))
			return 0;
	}
	if (!writeints(p->completed, MAXPACKLEVELS))
		return 0;
	for (int i = 0; i < MAXPACKTEXTLINES; i++) {
		if (!writetext(p->text[i], NAMESIZE))
			return 0;
	}
	return 1;
}

int savemappack()
{
	char filename[PATHSIZE];
	if (!buildfilename(filename, sizeof filename, mappackname, ".tvm"))
		return 0;
	if (!opensavefile(filename))
		return 0;
	// A short write leaves the stream's error flag set, so closesavefile
	// keeps the old file.
	int ok = writemappackfile(&mappack);
	return closesavefile(filename) && ok;
}
