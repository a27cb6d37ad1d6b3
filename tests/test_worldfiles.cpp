#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

#include "filelimit.h"
#include "leveldata.h"
#include "platform/files.h"
#include "platform/texture.h"
#include "tempfolder.h"
#include "world/mappack.h"
#include "world/model.h"
#include "world/objectphysics.h"

static void appendword(std::string *bytes, uint32_t w)
{
	for (int k = 0; k < 4; k++)
		bytes->push_back((char)(w >> (8 * k)));
}

static void appendfloat(std::string *bytes, float f)
{
	uint32_t w;
	memcpy(&w, &f, 4);
	appendword(bytes, w);
}

class WorldFiles : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override
	{
		checkbigendian();
		entertempfolder(&folder);
	}
	void TearDown() override { leavetempfolder(&folder); }
};

static void filldistinctpack()
{
	distinctcounter c = {0};
	mappack.numoflevels = 5;
	for (int i = 0; i < MAXPACKLEVELS; i++) {
		distincttext(&c, mappack.levelname[i]);
		mappack.completed[i] = distinctint(&c);
	}
	for (auto &line : mappack.text)
		distincttext(&c, line);
}

TEST_F(WorldFiles, MapPackRoundTripKeepsEverySlot)
{
	copystring(mappackname, "demo", NAMESIZE);
	filldistinctpack();
	const mappackstruct written = mappack;
	ASSERT_TRUE(savemappack());
	std::string bytes = readfile("demo.tvm");
	ASSERT_EQ(bytes.size(), (size_t)MAPPACKFILESIZE);
	EXPECT_EQ(wordat(bytes, 0), 1);
	EXPECT_EQ(wordat(bytes, 4), 5);
	EXPECT_EQ(wordat(bytes, 1032 + 4 * 31), written.completed[31]);
	memset(&mappack, 0, sizeof mappack);
	ASSERT_EQ(loadmappack(), 1);
	EXPECT_EQ(memcmp(&mappack, &written, sizeof mappack), 0);
	copystring(mappackname, "copy", NAMESIZE);
	ASSERT_TRUE(savemappack());
	EXPECT_EQ(readfile("copy.tvm"), bytes);
}

TEST_F(WorldFiles, DamagedMapPacksAreRefused)
{
	copystring(mappackname, "good", NAMESIZE);
	filldistinctpack();
	ASSERT_TRUE(savemappack());
	const std::string good = readfile("good.tvm");
	filldistinctpack();
	mappack.numoflevels = 2;
	const mappackstruct before = mappack;
	copystring(mappackname, "bad", NAMESIZE);
	auto refused = [&](const std::string &bytes, const char *what) {
		writefile("bad.tvm", bytes);
		EXPECT_EQ(loadmappack(), 0) << what;
		EXPECT_EQ(memcmp(&mappack, &before, sizeof mappack), 0) << what;
	};
	for (size_t cut : {0, 2, 4, 8, 1032, 1671})
		refused(good.substr(0, cut), "cut short");
	refused(good + "x", "trailing byte");
	std::string bytes = good;
	putword(&bytes, 0, 2);
	refused(bytes, "version 2");
	bytes = good;
	putword(&bytes, 4, 33);
	refused(bytes, "33 levels");
	putword(&bytes, 4, -1);
	refused(bytes, "-1 levels");
	copystring(mappackname, "..", NAMESIZE);
	EXPECT_EQ(loadmappack(), 0);
	EXPECT_FALSE(savemappack());
}

TEST_F(WorldFiles, MapPackTextsAreTerminatedAndFailedSavesKeepTheOldFile)
{
	copystring(mappackname, "pack", NAMESIZE);
	filldistinctpack();
	ASSERT_TRUE(savemappack());
	std::string bytes = readfile("pack.tvm");
	bytes[8 + 31] = 'q';
	bytes[1160 + 15 * 32 + 31] = 'q';
	writefile("pack.tvm", bytes);
	ASSERT_EQ(loadmappack(), 1);
	EXPECT_EQ(strlen(mappack.levelname[0]), 31u);
	EXPECT_EQ(strlen(mappack.text[15]), 31u);

	mappack.numoflevels = 9;
	EXPECT_FALSE(savewithfilelimit(1000, [] { return savemappack(); }));
	EXPECT_EQ(readfile("pack.tvm"), bytes);
}

struct modelgeometry {
	std::vector<float> vertex;
	std::vector<int> polygon;
};

static std::string modelbytes(const modelgeometry &g)
{
	std::string bytes;
	appendword(&bytes, (uint32_t)(g.vertex.size() / 3));
	for (float v : g.vertex)
		appendfloat(&bytes, v);
	appendword(&bytes, (uint32_t)(g.polygon.size() / 3));
	for (int i : g.polygon)
		appendword(&bytes, (uint32_t)i);
	for (size_t k = 0; k < g.polygon.size() * 2; k++)
		appendfloat(&bytes, 0.125f * (float)k);
	return bytes;
}

// A unit square in the x-z plane, two triangles facing up.
static const modelgeometry square = {
	{0, 0, 0, 1, 0, 0, 1, 0, 1, 0, 0, 1},
	{0, 1, 2, 0, 2, 3},
};

TEST_F(WorldFiles, ModelFileIsReadWithItsNormals)
{
	std::string bytes = modelbytes(square);
	EXPECT_EQ((long long)bytes.size(), modelfilesize(4, 2));
	EXPECT_EQ(bytes.size(), 8u + 12 * 4 + 36 * 2);
	writefile("square.tvo", bytes);
	modelstruct m = {};
	ASSERT_EQ(readmodelfile(&m, "square"), MODELLOADED);
	EXPECT_STREQ(m.name, "square");
	ASSERT_EQ(m.numofvertices, 4);
	ASSERT_EQ(m.numofpolygons, 2);
	EXPECT_EQ(m.vertex[6], 1.0f);
	EXPECT_EQ(m.polygon[5], 3);
	EXPECT_EQ(m.polygontexcoord[11], 0.125f * 11);
	for (int i = 0; i < 2; i++)
		EXPECT_FLOAT_EQ(m.polygonnormal[3 * i + 1], 1.0f);
	freemodel(&m);
}

TEST_F(WorldFiles, DamagedModelsLeaveTheSlotAsItWas)
{
	writefile("square.tvo", modelbytes(square));
	modelstruct m = {};
	ASSERT_EQ(readmodelfile(&m, "square"), MODELLOADED);
	const float *vertices = m.vertex;
	auto refused = [&](const std::string &bytes, const char *what) {
		writefile("bad.tvo", bytes);
		EXPECT_EQ(readmodelfile(&m, "bad"), MODELREFUSED) << what;
		EXPECT_EQ(m.vertex, vertices) << what;
		EXPECT_STREQ(m.name, "square") << what;
	};
	const std::string good = modelbytes(square);
	for (size_t cut : {0, 3, 4, 20, 52, 55, 56, 100, 127})
		refused(good.substr(0, cut), "cut short");
	refused(good + "xxxx", "trailing bytes");
	std::string bytes = good;
	putword(&bytes, 0, 0x7fffffff);
	refused(bytes, "huge vertex count");
	bytes = good;
	putword(&bytes, 0, -1);
	refused(bytes, "vertex count 2^32 - 1");
	bytes = good;
	putword(&bytes, 52, 0x10000000);
	refused(bytes, "huge triangle count");
	bytes = good;
	putword(&bytes, 56 + 4 * 5, 4);
	refused(bytes, "index past the vertices");
	bytes = good;
	putword(&bytes, 56, -1);
	refused(bytes, "negative index");
	EXPECT_EQ(readmodelfile(&m, "none"), MODELMISSING);
	EXPECT_EQ(readmodelfile(&m, "../square"), MODELMISSING);
	freemodel(&m);
}

TEST_F(WorldFiles, PropModelsAreLoadedOncePerNameUpToTheirTextureSlots)
{
	mkdir("prop", 0777);
	writefile("prop/rock.tvo", modelbytes(square));
	numofpropmodels = 0;
	EXPECT_EQ(loadpropmodel("rock"), 0);
	remove("prop/rock.tvo");  // the second request must not read the file
	EXPECT_EQ(loadpropmodel("rock"), 0);
	EXPECT_EQ(numofpropmodels, 1);
	EXPECT_EQ(loadpropmodel("missing"), -1);
	EXPECT_EQ(loadpropmodel("../rock"), -1);
	EXPECT_EQ(numofpropmodels, 1);
	char here[PATHSIZE];
	ASSERT_TRUE(getcwd(here, sizeof here));
	EXPECT_EQ(std::string(here), folder.path);  // back out of "prop" every time

	for (int i = 1; i < MAXPROPMODELS; i++) {
		std::string name = "p" + std::to_string(i);
		writefile(("prop/" + name + ".tvo").c_str(), modelbytes(square));
		ASSERT_EQ(loadpropmodel(name.c_str()), i);
	}
	writefile("prop/onemore.tvo", modelbytes(square));
	EXPECT_EQ(loadpropmodel("onemore"), -1);
	EXPECT_EQ(numofpropmodels, MAXPROPMODELS);
}

TEST_F(WorldFiles, VehicleModelSlotIsReplacedOrEmptied)
{
	mkdir("object", 0777);
	writefile("object/box.tvo", modelbytes(square));
	loadobjectmodel(7, "box");
	ASSERT_EQ(objectmodel[7].numofpolygons, 2);
	modelgeometry triangle = {{0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 2, 1}};
	writefile("object/box.tvo", modelbytes(triangle));
	loadobjectmodel(7, "box");
	EXPECT_EQ(objectmodel[7].numofpolygons, 1);
	EXPECT_FLOAT_EQ(objectmodel[7].polygonnormal[1], -1.0f);
	writefile("object/box.tvo", "junk");
	loadobjectmodel(7, "box");
	EXPECT_EQ(objectmodel[7].numofpolygons, 1);
	loadobjectmodel(7, "gone");
	EXPECT_EQ(objectmodel[7].numofpolygons, 0);
	EXPECT_EQ(objectmodel[7].vertex, nullptr);
	EXPECT_STREQ(objectmodel[7].name, "");
	loadobjectmodel(MAXMODELS, "box");
}

static void filldistinctphysics(objectphysicsstruct *p)
{
	distinctcounter c = {0};
	for (vector3 &corner : p->bodypoint)
		distinctvector(&c, &corner);
	p->bodypoint[3].y = -2.5f;
	p->bodypoint[6].y = -4.0f;
	p->mass = distinctfloat(&c);
	p->acceleration = distinctfloat(&c);
	p->maxspeed = distinctfloat(&c);
	p->numofwheels = 3;
	for (int &steer : p->steerwheel)
		steer = distinctint(&c);
	for (vector3 &wheel : p->wheelposition)
		distinctvector(&c, &wheel);
	for (float &extra : p->extra)
		extra = distinctfloat(&c);
}

TEST_F(WorldFiles, ObjectPhysicsRoundTripAndClearance)
{
	char name[16];
	objectphysicsfilename(name, 123);
	EXPECT_STREQ(name, "object23.tvp");
	objectphysicsfilename(name, 5);
	EXPECT_STREQ(name, "object05.tvp");

	mkdir("object", 0777);
	filldistinctphysics(&objectphysics[123]);
	const objectphysicsstruct written = objectphysics[123];
	ASSERT_TRUE(saveobjectphysics(123));
	std::string bytes = readfile("object/object23.tvp");
	ASSERT_EQ(bytes.size(), (size_t)OBJECTPHYSICSFILESIZE);
	EXPECT_EQ(floatat(bytes, 96), written.mass);
	EXPECT_EQ(wordat(bytes, 108), 3);
	EXPECT_EQ(floatat(bytes, 196), written.extra[5]);
	memset(&objectphysics[123], 0, sizeof(objectphysicsstruct));
	ASSERT_TRUE(loadobjectphysics(123));
	EXPECT_EQ(memcmp(&objectphysics[123], &written, sizeof written), 0);
	EXPECT_EQ(objectsize[123].clearance, 4.0f);
	ASSERT_TRUE(saveobjectphysics(123));
	EXPECT_EQ(readfile("object/object23.tvp"), bytes);

	// Corners all at or above the origin: no clearance.
	for (vector3 &corner : objectphysics[23].bodypoint)
		corner = {1.0f, 0.5f, 1.0f};
	ASSERT_TRUE(saveobjectphysics(23));
	objectsize[23].clearance = 9.0f;
	ASSERT_TRUE(loadobjectphysics(23));
	EXPECT_EQ(objectsize[23].clearance, 0.0f);
}

TEST_F(WorldFiles, DamagedObjectPhysicsChangeNothing)
{
	mkdir("object", 0777);
	filldistinctphysics(&objectphysics[4]);
	ASSERT_TRUE(saveobjectphysics(4));
	const std::string good = readfile("object/object04.tvp");
	objectphysics[4].mass = 1.0f;
	objectsize[4].clearance = 7.0f;
	const objectphysicsstruct before = objectphysics[4];
	auto refused = [&](const std::string &bytes, const char *what) {
		writefile("object/object04.tvp", bytes);
		EXPECT_FALSE(loadobjectphysics(4)) << what;
		EXPECT_EQ(memcmp(&objectphysics[4], &before, sizeof before), 0) << what;
		EXPECT_EQ(objectsize[4].clearance, 7.0f) << what;
	};
	for (size_t cut : {0, 4, 108, 199})
		refused(good.substr(0, cut), "cut short");
	refused(good + "x", "trailing byte");
	std::string bytes = good;
	putword(&bytes, 108, 5);
	refused(bytes, "five wheels");
	putword(&bytes, 108, -1);
	refused(bytes, "negative wheels");
	EXPECT_FALSE(loadobjectphysics(-1));
	EXPECT_FALSE(loadobjectphysics(MAXOBJECTTYPES));

	writefile("object/object04.tvp", good);
	EXPECT_FALSE(savewithfilelimit(100, [] { return saveobjectphysics(4); }));
	EXPECT_EQ(readfile("object/object04.tvp"), good);
}
