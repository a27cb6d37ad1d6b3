#include "world/model.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "platform/config.h"
#include "platform/texture.h"
#include "platform/vector.h"
#include "world/worldfile.h"

static_assert(TEX_PROPMODEL + MAXPROPMODELS == TEX_BIGSPLASH,
	"prop model textures stop where the splash screens begin");

modelstruct objectmodel[MAXMODELS];
modelstruct propmodel[MAXMODELS];
int numofpropmodels;

long long modelfilesize(long long vertices, long long polygons)
{
	return 8 + 12 * vertices + 36 * polygons;
}

void freemodel(modelstruct *m)
{
	free(m->vertex);
	free(m->vertexnormal);
	free(m->vertextexcoord);
	free(m->polygon);
	free(m->polygonnormal);
	free(m->polygontexcoord);
	memset(m, 0, sizeof *m);
}

static void *allocatefloats(long long count)
{
	return calloc(count > 0 ? (size_t)count : 1, sizeof(float));
}

static int allocatemodel(modelstruct *m, long long vertices, long long polygons)
{
	m->vertex = (float *)allocatefloats(3 * vertices);
	m->vertexnormal = (float *)allocatefloats(3 * vertices);
	m->vertextexcoord = (float *)allocatefloats(2 * vertices);
	m->polygon = (int *)calloc(polygons > 0 ? (size_t)(3 * polygons) : 1, sizeof(int));
	m->polygonnormal = (float *)allocatefloats(3 * polygons);
	m->polygontexcoord = (float *)allocatefloats(6 * polygons);
	return m->vertex && m->vertexnormal && m->vertextexcoord && m->polygon &&
		m->polygonnormal && m->polygontexcoord;
}

static long long openfilesize()
{
	struct stat info;
	if (fstat(fileno(fp), &info) != 0)
		return -1;
	return (long long)info.st_size;
}

// The counts must agree with the file's length before anything is
// allocated, so a corrupt count cannot ask for more memory than the file
// itself holds.
static int readmodelbody(modelstruct *m)
{
	long long size = openfilesize();
	uint32_t vertices = 0;
	uint32_t polygons = 0;
	if (size < 8 || fread2(&vertices, 4, 1, fp) != 1)
		return 0;
	if (modelfilesize(vertices, 0) > size)
		return 0;
	if (fseek(fp, 4 + 12LL * vertices, SEEK_SET) != 0 || fread2(&polygons, 4, 1, fp) != 1)
		return 0;
	if (modelfilesize(vertices, polygons) != size || fseek(fp, 4, SEEK_SET) != 0)
		return 0;
	if (vertices > INT32_MAX || polygons > INT32_MAX)
		return 0;
	if (!allocatemodel(m, vertices, polygons))
		return 0;
	m->numofvertices = (int)vertices;
	m->numofpolygons = (int)polygons;
	if (!readfloats(m->vertex, 3 * (size_t)vertices) || fseek(fp, 4, SEEK_CUR) != 0 ||
		!readints(m->polygon, 3 * (size_t)polygons) ||
		!readfloats(m->polygontexcoord, 6 * (size_t)polygons))
		return 0;
	for (long long i = 0; i < 3LL * polygons; i++) {
		if (m->polygon[i] < 0 || m->polygon[i] >= m->numofvertices)
			return 0;
	}
	return atendoffile();
}

static void setpolygonnormals(modelstruct *m)
{
	for (int i = 0; i < m->numofpolygons; i++) {
		const int *corner = &m->polygon[3 * i];
		vector3 a, b, c, n;
		memcpy(&a, &m->vertex[3 * corner[0]], sizeof a);
		memcpy(&b, &m->vertex[3 * corner[1]], sizeof b);
		memcpy(&c, &m->vertex[3 * corner[2]], sizeof c);
		generatepolygonnormal(&n, &a, &b, &c);
		memcpy(&m->polygonnormal[3 * i], &n, sizeof n);
	}
}

int readmodelfile(modelstruct *m, const char *name)
{
	char filename[PATHSIZE];
	if (!buildfilename(filename, sizeof filename, name, ".tvo"))
		return MODELMISSING;
	fp = fopen(filename, "rb");
	if (!fp)
		return MODELMISSING;
	modelstruct stage;
	memset(&stage, 0, sizeof stage);
	int ok = readmodelbody(&stage);
	fclose(fp);
	fp = nullptr;
	if (!ok) {
		freemodel(&stage);
		return MODELREFUSED;
	}
	setpolygonnormals(&stage);
	copystring(stage.name, name, NAMESIZE);
	freemodel(m);
	*m = stage;
	return MODELLOADED;
}

static void loadmodeltexture(int slot, const char *name)
{
	char filename[PATHSIZE];
	if (buildfilename(filename, sizeof filename, name, ".tga"))
		loadtexturetga(slot, filename, 1, config.texturedetail);
}

void loadobjectmodel(int n, const char *name)
{
	if (n < 0 || n >= MAXMODELS)
		return;
	int entered = enterfolder("object");
	// A missing model leaves an empty slot; a corrupt one keeps what was there.
	if (readmodelfile(&objectmodel[n], name) == MODELMISSING)
		freemodel(&objectmodel[n]);
	leavefolder(entered);
	loadmodeltexture(TEX_OBJECTMODEL + n, name);
}

int loadpropmodel(const char *name)
{
	for (int i = 0; i < numofpropmodels; i++) {
		if (!strcmp(propmodel[i].name, name))
			return i;
	}
	int slot = numofpropmodels;
	if (slot >= MAXPROPMODELS)
		return -1;
	int entered = enterfolder("prop");
	int result = readmodelfile(&propmodel[slot], name);
	leavefolder(entered);
	if (result != MODELLOADED)
		return -1;
	loadmodeltexture(TEX_PROPMODEL + slot, name);
	numofpropmodels++;
	return slot;
}
