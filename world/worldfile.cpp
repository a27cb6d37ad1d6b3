#include "world/worldfile.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "platform/files.h"

int readints(int *values, size_t count)
{
	return fread2(values, 4, count, fp) == count;
}

int readfloats(float *values, size_t count)
{
	return fread2(values, 4, count, fp) == count;
}

int readvectors(vector3 *values, size_t count)
{
	for (size_t i = 0; i < count; i++) {
		if (!readfloats(&values[i].x, 1) || !readfloats(&values[i].y, 1) ||
			!readfloats(&values[i].z, 1))
			return 0;
	}
	return 1;
}

int readorientation(orientation *o)
{
	return readvectors(o->v, 3);
}

int readtext(char *text, size_t size)
{
	if (fread2(text, 1, size, fp) != size)
		return 0;
	text[size - 1] = 0;
	return 1;
}

int atendoffile()
{
	return fgetc(fp) == EOF && !ferror(fp);
}

int writeints(const int *values, size_t count)
{
	return fwrite2(values, 4, count, fp) == count;
}

int writefloats(const float *values, size_t count)
{
	return fwrite2(values, 4, count, fp) == count;
}

int writevectors(const vector3 *values, size_t count)
{
	for (size_t i = 0; i < count; i++) {
		if (!writefloats(&values[i].x, 1) || !writefloats(&values[i].y, 1) ||
			!writefloats(&values[i].z, 1))
			return 0;
	}
	return 1;
}

int writeorientation(const orientation *o)
{
	return writevectors(o->v, 3);
}

int writetext(const char *text, size_t size)
{
	return fwrite2(text, 1, size, fp) == size;
}

int safefilename(const char *name)
{
	if (!name || !name[0] || strchr(name, '/'))
		return 0;
	if (!strcmp(name, ".") || !strcmp(name, ".."))
		return 0;
	return strlen(name) < NAMESIZE;
}

int plainfilename(const char *name)
{
	if (!safefilename(name))
		return 0;
	for (const char *c = name; *c; c++) {
		unsigned char u = (unsigned char)*c;
		if (u == '\\' || u < 32 || u == 127)
			return 0;
	}
	return 1;
}

int savednameallowed(const char *name, const char *extension)
{
	if (!plainfilename(name) || strchr(name, '.'))
		return 0;
	// Files are listed by "*" + extension, profile folders by "*.*".
	char pattern[NAMESIZE], saved[PATHSIZE];
	snprintf(pattern, sizeof pattern, "*%s", extension[0] ? extension : ".*");
	return buildfilename(saved, sizeof saved, name, extension) && listedname(pattern, saved);
}

int buildfilename(char *out, size_t size, const char *name, const char *extension)
{
	if (!safefilename(name))
		return 0;
	return snprintf(out, size, "%s%s", name, extension) < (int)size;
}

int enterfolder(const char *folder)
{
	return chdir(folder) == 0;
}

void leavefolder(int entered)
{
	if (entered && chdir("..") != 0)
		return;
}
