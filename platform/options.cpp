#include "platform/options.h"

#include "platform/files.h"
#include "platform/parser.h"

#include <cstdio>

int optionreadint(int *target, const char *key)
{
	int found = findstring(key) && scanint(target);
	resetparser();
	return found;
}

int optionreadfloat(float *target, const char *key)
{
	int found = findstring(key) && scanfloat(target);
	resetparser();
	return found;
}

int optionreadstring(char *target, const char *key, int capacity)
{
	int found = findstring(key);
	if (found)
		getstring(target, capacity);
	resetparser();
	return found;
}

void optionwriteint(const int *value, const char *key)
{
	fprintf(fp, "%s%d\r\n", key, *value);
}

void optionwritefloat(const float *value, const char *key)
{
	fprintf(fp, "%s%f\r\n", key, (double)*value);
}

void optionwritestring(const char *value, const char *key, int length)
{
	fprintf(fp, "%s%s\r\n", key, value);
}
