// Seeded mutation of valid files: whatever a loader is given, it either
// refuses and leaves its state alone or accepts a file that keeps every
// count and index in range. Run under the sanitizers this also catches any
// read or write out of bounds.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <sys/stat.h>

#include "leveldata.h"
#include "platform/files.h"
#include "tempfolder.h"
#include "world/mappack.h"
#include "world/model.h"
#include "world/objectphysics.h"

struct mutator {
	std::mt19937 random;
	std::vector<size_t> hotwords;  // offsets of counts and indices
};

static int32_t interestingvalue(mutator *m)
{
	const int32_t values[] = {-1, 0, 1, 2, 3, 4, 5, 31, 32, 33, 64, 65, 116, 255, 256, 511, 512,
		513, 16384, 16385, 0x10000000, INT_MAX, INT_MIN};
	if (m->random() % 4 == 0)
		return (int32_t)m->random();
	return values[m->random() % (sizeof values / sizeof values[0])];
}

static std::string mutate(mutator *m, const std::string &good)
{
	std::string bytes = good;
	int changes = 1 + m->random() % 3;
	for (int i = 0; i < changes; i++) {
		switch (m->random() % 5) {
		case 0:
		case 1: {
			size_t offset = m->hotwords[m->random() % m->hotwords.size()];
			if (offset + 4 <= bytes.size())
				putword(&bytes, offset, interestingvalue(m));
			break;
		}
		case 2:
			if (!bytes.empty())
				bytes[m->random() % bytes.size()] = (char)m->random();
			break;
		case 3:
			bytes.resize(m->random() % (bytes.size() + 1));
			break;
		default:
			bytes.append(1 + m->random() % 8, (char)m->random());
			break;
		}
	}
	return bytes;
}

class Mutation : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override
	{
		checkbigendian();
		entertempfolder(&folder);
	}
	void TearDown() override { leavetempfolder(&folder); }
};

static bool terminated(const char *text)
{
	return memchr(text, 0, NAMESIZE) != nullptr;
}

static void expectvalidlevel()
{
	ASSERT_GE(level.landscapewidth, 2);
	ASSERT_LE(level.landscapewidth, 512);
	ASSERT_GE(level.landscapedepth, 2);
	ASSERT_LE(level.landscapedepth, 512);
	ASSERT_LE((unsigned)level.numofphases, (unsigned)MAXPHASES);
	ASSERT_LE((unsigned)level.numoflevelobjects, (unsigned)MAXLEVELOBJECTS);
	ASSERT_LE((unsigned)level.numofprops, (unsigned)MAXPROPS);
	ASSERT_TRUE(terminated(level.levelname) && terminated(level.architect));
	ASSERT_LE((unsigned)numofpoints, (unsigned)MAXPOINTS);
	ASSERT_LE((unsigned)numoflinks, (unsigned)MAXLINKS);
	for (int i = 0; i < numoflinks; i++) {
		ASSERT_LT((unsigned)beam[i].point1, (unsigned)numofpoints);
		ASSERT_LT((unsigned)beam[i].point2, (unsigned)numofpoints);
		ASSERT_LT((unsigned)beam[i].type, 256u);
	}
}

TEST_F(Mutation, LevelFiles)
{
	filldistinctlevel(9, 7, 4, 3);
	ASSERT_TRUE(savelevel("good", 1));
	const std::string good = readfile("good.tvb");
	const size_t links = 1139816 + 4 * 16;
	mutator m = {std::mt19937(20261208),
		{4, 8, 12, 856, 3036, 3040, 3044, 3048, 3352, 47840, 47844, 47928, 1139812, 1139816,
			links, links + 4, links + 12, links + 16, links + 24 + 8}};
	for (int i = 0; i < 150; i++) {
		filldistinctlevel(5, 5, 2, 1);
		saveworldstate(&savedworld);
		writefile("bad.tvb", mutate(&m, good));
		if (loadlevel("bad", 1))
			expectvalidlevel();
		else
			ASSERT_TRUE(worldstateunchanged(&savedworld)) << "iteration " << i;
	}
}

TEST_F(Mutation, MapPacks)
{
	copystring(mappackname, "good", NAMESIZE);
	mappack.numoflevels = 3;
	for (int i = 0; i < MAXPACKLEVELS; i++)
		copystring(mappack.levelname[i], "level", NAMESIZE);
	ASSERT_TRUE(savemappack());
	const std::string good = readfile("good.tvm");
	mutator m = {std::mt19937(7), {0, 4, 8, 1032, 1160}};
	copystring(mappackname, "bad", NAMESIZE);
	for (int i = 0; i < 500; i++) {
		mappack.numoflevels = 1;
		const mappackstruct before = mappack;
		writefile("bad.tvm", mutate(&m, good));
		if (loadmappack()) {
			ASSERT_LE((unsigned)mappack.numoflevels, (unsigned)MAXPACKLEVELS);
			for (auto &name : mappack.levelname)
				ASSERT_TRUE(terminated(name));
		} else {
			ASSERT_EQ(memcmp(&before, &mappack, sizeof before), 0) << "iteration " << i;
		}
	}
}

TEST_F(Mutation, Models)
{
	std::string good;
	const uint32_t words[] = {3, 0, 0, 0, 0x3f800000, 0, 0, 0, 0, 0x3f800000, 1, 0, 2, 1};
	for (uint32_t w : words)
		for (int k = 0; k < 4; k++)
			good.push_back((char)(w >> (8 * k)));
	good.append(24, '\0');
	mutator m = {std::mt19937(11), {0, 40, 44, 48, 52}};
	modelstruct model = {};
	for (int i = 0; i < 500; i++) {
		writefile("bad.tvo", mutate(&m, good));
		int vertices = model.numofvertices;
		int result = readmodelfile(&model, "bad");
		if (result == MODELLOADED) {
			for (int k = 0; k < 3 * model.numofpolygons; k++)
				ASSERT_LT((unsigned)model.polygon[k], (unsigned)model.numofvertices);
		} else {
			ASSERT_EQ(result, MODELREFUSED);
			ASSERT_EQ(model.numofvertices, vertices);
		}
	}
	freemodel(&model);
}

TEST_F(Mutation, ObjectPhysics)
{
	mkdir("object", 0777);
	objectphysics[9] = {};
	objectphysics[9].numofwheels = 2;
	ASSERT_TRUE(saveobjectphysics(9));
	const std::string good = readfile("object/object09.tvp");
	mutator m = {std::mt19937(3), {96, 108, 112}};
	for (int i = 0; i < 300; i++) {
		const objectphysicsstruct before = objectphysics[9];
		writefile("object/object09.tvp", mutate(&m, good));
		if (loadobjectphysics(9))
			ASSERT_LE((unsigned)objectphysics[9].numofwheels, (unsigned)MAXWHEELS);
		else
			ASSERT_EQ(memcmp(&before, &objectphysics[9], sizeof before), 0);
	}
}
