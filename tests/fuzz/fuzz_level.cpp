// A level file is over a megabyte, mostly heights, so the input does not
// stand for the file itself: it edits a small valid bridge file. The first
// four bytes give the file's new length; each further eight bytes write one
// word (offset, value), aimed at the header and the bridge most of the time.
#include <cstring>
#include <string>

#include "fuzzfile.h"
#include "world/landscape.h"
#include "world/level.h"

static std::string basefile;

static void makebasefile()
{
	memset(&level, 0, sizeof level);
	level.landscapewidth = 8;
	level.landscapedepth = 8;
	level.numofphases = 1;
	level.numoflevelobjects = 1;
	level.levelobject[0].numofwaypoints = 2;
	level.levelobject[0].waypoint[1] = {20.0f, 0.0f, 20.0f};
	level.numofprops = 1;
	numofpoints = 4;
	for (int i = 0; i < 4; i++)
		point[i] = {i % 2, {5.0f * i, 1.0f, 0.0f}};
	numoflinks = 3;
	for (int i = 0; i < 3; i++)
		beam[i] = {2, 0, i, i + 1, 0};
	if (!savelevel("base", 1))
		abort();
	FILE *f = fopen("base.tvb", "rb");
	char buffer[65536];
	size_t got;
	while ((got = fread(buffer, 1, sizeof buffer, f)) > 0)
		basefile.append(buffer, got);
	fclose(f);
}

static uint32_t wordfrom(const uint8_t *p)
{
	return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24;
}

static size_t pickoffset(uint32_t selector, size_t size)
{
	const size_t header = 91236;
	const size_t bridge = 1139812;
	switch (selector % 3) {
	case 0:
		return (selector / 3) % header;
	case 1:
		return bridge + (selector / 3) % (size > bridge ? size - bridge : 1);
	default:
		return (selector / 3) % size;
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	enterfuzzfolder();
	if (basefile.empty())
		makebasefile();
	if (size < 4)
		return 0;
	std::string file = basefile;
	file.resize(wordfrom(data) % (basefile.size() + 64));
	for (size_t i = 4; i + 8 <= size && !file.empty(); i += 8) {
		size_t offset = pickoffset(wordfrom(data + i), file.size());
		uint32_t value = wordfrom(data + i + 4);
		for (int k = 0; k < 4 && offset + k < file.size(); k++)
			file[offset + k] = (char)(value >> (8 * k));
	}
	writefuzzfile("fuzz.tvb", (const uint8_t *)file.data(), file.size());
	int points = numofpoints;
	if (loadlevel("fuzz", 1)) {
		fuzzcheck(numofpoints >= 0 && numofpoints <= MAXPOINTS);
		fuzzcheck(numoflinks >= 0 && numoflinks <= MAXLINKS);
		for (int i = 0; i < numoflinks; i++)
			fuzzcheck(beam[i].point1 >= 0 && beam[i].point1 < numofpoints &&
				beam[i].point2 >= 0 && beam[i].point2 < numofpoints);
	} else {
		fuzzcheck(numofpoints == points);
	}
	return 0;
}
