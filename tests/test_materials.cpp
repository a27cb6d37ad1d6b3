#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "editor/bridgeedit.h"
#include "editor/cost.h"
#include "editor/editor.h"
#include "world/level.h"
#include "world/materials.h"

static uint32_t bits(float f)
{
	uint32_t b;
	memcpy(&b, &f, 4);
	return b;
}

static void setuptables()
{
	setuplinkdata();
	setupparticledata();
	setupbonddata();
}

TEST(Materials, WeightsAndConstantsHaveTheirExactBits)
{
	setuptables();
	EXPECT_EQ(linktype[2].weight, 600.0f);
	EXPECT_EQ(bits(linktype[3].weight), 0x44200001u);
	EXPECT_EQ(bits(linktype[4].weight), 0x43c4597cu);
	EXPECT_EQ(bits(linktype[5].weight), 0x45c4597cu);
	EXPECT_EQ(bits(linktype[6].weight), 0x44f4ffffu);
	EXPECT_EQ(bits(linktype[7].weight), 0x44200001u);
	EXPECT_EQ(bits(linktype[8].weight), 0x44200001u);
	// Thin crossbeams: three quarters of the material's float weight.
	EXPECT_EQ(linktype[12].weight, 450.0f);
	EXPECT_EQ(linktype[13].weight, 0.75f * linktype[3].weight);
	EXPECT_EQ(linktype[16].weight, 0.75f * linktype[6].weight);
	EXPECT_EQ(bits(particletype[1].retention), 0x3f7fff58u);
	EXPECT_EQ(bits(particletype[1].gravity), 0x3b807358u);
	EXPECT_EQ(bits(bondtype[31].compressionlimit), 0x80000000u);
	EXPECT_EQ(bondtype[31].tensionlimit, 40.0f);
}

TEST(Materials, UnlistedTypesReadAsZero)
{
	setuptables();
	const linktypestruct zerolink = {};
	const bondtypestruct zerobond = {};
	const particletypestruct zeroparticle = {};
	for (int type : {0, 1, 10, 11, 21, 30, 32, 255})
		EXPECT_EQ(memcmp(&linktype[type], &zerolink, sizeof zerolink), 0) << type;
	for (int type : {0, 9, 10, 14, 15, 17, 29, 32, 255})
		EXPECT_EQ(memcmp(&bondtype[type], &zerobond, sizeof zerobond), 0) << type;
	for (int type : {4, 9, 12, 30, 32, MAXPARTICLETYPES - 1})
		EXPECT_EQ(memcmp(&particletype[type], &zeroparticle, sizeof zeroparticle), 0) << type;
}

TEST(Materials, DeckBondsCopyTheirLinksAndDragIsARope)
{
	setuptables();
	for (int type = 1; type <= 8; type++)
		EXPECT_EQ(memcmp(&bondtype[type + 20], &bondtype[type], sizeof(bondtypestruct)), 0);
	// No deck diagonals for cables and hydraulics: their longest link is 0.
	for (int type : {14, 15, 17, 18})
		EXPECT_EQ(linktype[type].maxlength, 0.0f);
	// -0.0 counts as no compression limit.
	EXPECT_TRUE(bondtype[31].compressionlimit == 0.0f);
	EXPECT_EQ(memcmp(&particletype[31], &particletype[1], sizeof(particletypestruct)), 0);
}

static void addlink(int type, int deck, float length)
{
	int a = numofpoints++;
	int b = numofpoints++;
	point[a] = {1, {0.0f, 0.0f, 0.0f}};
	point[b] = {1, {length, 0.0f, 0.0f}};
	beam[numoflinks++] = {type, deck, a, b, 0};
}

class BridgeCost : public ::testing::Test {
protected:
	void SetUp() override
	{
		setuptables();
		numofpoints = 0;
		numoflinks = 0;
		for (int &count : editor.materialcount)
			count = 99;
	}
};

TEST_F(BridgeCost, EmptyBridgeCostsNothingAndClearsTheCounters)
{
	EXPECT_EQ(calculatebridgecost(1), 0);
	for (int count : editor.materialcount)
		EXPECT_EQ(count, 0);
}

TEST_F(BridgeCost, PlainDeckAndThinLinks)
{
	addlink(2, 0, 10.0f);
	EXPECT_EQ(calculatebridgecost(0), 50);
	EXPECT_EQ(editor.materialcount[2], 99);  // untouched without count
	beam[0].deck = 1;
	EXPECT_EQ(calculatebridgecost(0), 150);
	numoflinks = 0;
	numofpoints = 0;
	addlink(3, 0, 22.36f);
	EXPECT_EQ(calculatebridgecost(0), 223);
	numoflinks = 0;
	numofpoints = 0;
	addlink(12, 0, 10.0f);
	EXPECT_EQ(calculatebridgecost(1), 37);
	EXPECT_EQ(editor.materialcount[2], 1);
}

TEST_F(BridgeCost, SumIsTruncatedOnceAndOddTypesAreNotCounted)
{
	addlink(2, 0, 0.12f);
	addlink(2, 0, 0.12f);
	EXPECT_EQ(calculatebridgecost(1), 1);
	EXPECT_EQ(editor.materialcount[2], 2);
	addlink(20, 0, 10.0f);
	addlink(16, 0, 1.0f);
	EXPECT_EQ(calculatebridgecost(1), 16);
	EXPECT_EQ(editor.materialcount[6], 1);
	int total = 0;
	for (int count : editor.materialcount)
		total += count;
	EXPECT_EQ(total, 3);
	// A bridge far beyond any level still yields a price, not an overflow.
	point[numofpoints - 1].position.x = 1e30f;
	EXPECT_GT(calculatebridgecost(0), 2000000000);
	// So does one that far out of a material that costs nothing: its endless
	// length times 0 must not make the whole bridge free.
	point[numofpoints - 3].position.x = 1e30f;
	EXPECT_GT(calculatebridgecost(0), 2000000000);
	point[numofpoints - 1].position.x = 1.0f;
	EXPECT_EQ(calculatebridgecost(0), 16);
}

// The most links a bridge holds, long deck links of the dearest material,
// give the largest price an int holds rather than an overflow.
TEST_F(BridgeCost, FullBridgeOfLongDeckLinks)
{
	addlink(5, 1, 100000.0f);
	while (numoflinks < MAXLINKS)
		beam[numoflinks++] = beam[0];
	EXPECT_EQ(calculatebridgecost(1), 2147483520);
	EXPECT_EQ(editor.materialcount[5], MAXLINKS);
}

// What a player reads off each material: the price of a link 10 long and
// the longest link it makes (just short of the figure, not at it).
TEST_F(BridgeCost, EachMaterialHasItsPriceAndLongestLink)
{
	const struct {
		int type, price;
		float longest;
	} materials[] = {{2, 50, 22.5f}, {3, 100, 22.5f}, {4, 40, 1600.0f}, {5, 150, 1600.0f},
		{6, 200, 45.0f}, {7, 200, 22.5f}, {8, 200, 22.5f}, {12, 37, 25.0f}, {13, 75, 25.0f},
		{16, 150, 50.0f}};
	for (const auto &m : materials) {
		numoflinks = numofpoints = 0;
		addlink(m.type, 0, 10.0f);
		EXPECT_EQ(calculatebridgecost(0), m.price) << "type " << m.type;
		numoflinks = 0;
		point[1].position.x = 0.999f * m.longest;
		point[numofpoints++] = {1, {m.longest, 0.0f, 0.0f}};
		createlink(0, 1, m.type, 0);
		createlink(0, 2, m.type, 0);
		ASSERT_EQ(numoflinks, 1) << "type " << m.type;
		EXPECT_EQ(beam[0].point2, 1) << "type " << m.type;
	}
}
