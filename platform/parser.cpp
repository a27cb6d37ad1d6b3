#include "platform/parser.h"


#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

parserstruct parser;

void loadtextfile(const char *path)
{
	parser.pos = 0;
	parser.len = 0;
	parser.text[0] = 0;
	FILE *file = fopen(path, "rb");
	if (!file)
		return;
	size_t got = fread(parser.text, 1, PARSERTEXTSIZE - 1, file);
	fclose(file);
	parser.len = (int)got;
	parser.text[got] = 0;
}

void resetparser()
{
	parser.pos = 0;
}

int checkstring(const char *key)
{
	int n = 0;
	for (; key[n]; n++) {
		if (parser.pos + n >= parser.len || parser.text[parser.pos + n] != key[n])
			return 0;
	}
	return 1;
}

int findstring(const char *key)
{
	while (parser.pos < parser.len && !checkstring(key))
		parser.pos++;
	parser.pos += (int)strlen(key);
	return parser.pos < parser.len;
}

static int isnumberchar(char c, int withpoint)
{
	return (c >= '0' && c <= '9') || c == '-' || (withpoint && c == '.');
}

// Skips to the next number and copies its characters into the token.
static void readtoken(int withpoint)
{
	while (parser.pos < parser.len && !isnumberchar(parser.text[parser.pos], withpoint))
		parser.pos++;
	int n = 0;
	while (parser.pos < parser.len && n < PARSERTOKENSIZE - 1 &&
		isnumberchar(parser.text[parser.pos], withpoint)) {
		parser.token[n++] = parser.text[parser.pos++];
	}
	parser.token[n] = 0;
	// The digits past the token's capacity belong to this number, not to
	// the next one read.
	while (parser.pos < parser.len && isnumberchar(parser.text[parser.pos], withpoint))
		parser.pos++;
}

int scanint(int *value)
{
	readtoken(0);
	char *end;
	long v = strtol(parser.token, &end, 10);
	if (end == parser.token)
		return 0;
	// Out of range numbers saturate rather than wrap.
	if (v > INT_MAX)
		v = INT_MAX;
	if (v < INT_MIN)
		v = INT_MIN;
	*value = (int)v;
	return 1;
}

int scanfloat(float *value)
{
	readtoken(1);
	char *end;
	float v = strtof(parser.token, &end);
	// Too many digits give infinity, which a colour or a reader after it
	// cannot use: such a value is taken as no number.
	if (end == parser.token || !std::isfinite(v))
		return 0;
	*value = v;
	return 1;
}

int getint()
{
	int value = 0;
	scanint(&value);
	return value;
}

float getfloat()
{
	float value = 0.0f;
	scanfloat(&value);
	return value;
}

void getstring(char *buffer, int capacity)
{
	if (capacity < 1)
		return;
	int n = 0;
	while (parser.pos < parser.len && n < capacity - 1) {
		char c = parser.text[parser.pos];
		if (c == 13 || c == 10)
			break;
		buffer[n++] = c;
		parser.pos++;
	}
	buffer[n] = 0;
}
