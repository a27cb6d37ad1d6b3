#include "platform/files.h"
#include "platform/texture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct tgafile {
	int imagetype = 2;
	int colormaptype = 0;
	int colormaplength = 0;
	int width = 2, height = 2;
	int depth = 24;
	int descriptor = 0;
	int idlength = 0;
};

void putbyte(std::vector<unsigned char> &out, int v)
{
	out.push_back(static_cast<unsigned char>(v));
}

void putshort(std::vector<unsigned char> &out, int v)
{
	putbyte(out, v & 255);
	putbyte(out, (v >> 8) & 255);
}

std::vector<unsigned char> tgaheaderbytes(const tgafile &t)
{
	std::vector<unsigned char> out;
	putbyte(out, t.idlength);
	putbyte(out, t.colormaptype);
	putbyte(out, t.imagetype);
	putshort(out, 0);
	putshort(out, t.colormaplength);
	putbyte(out, 0);
	putshort(out, 0);
	putshort(out, 0);
	putshort(out, t.width);
	putshort(out, t.height);
	putbyte(out, t.depth);
	putbyte(out, t.descriptor);
	for (int i = 0; i < t.idlength; i++)
		putbyte(out, 0xEE);
	return out;
}

// rgba holds the image top row first, left to right; the file gets it in
// the order its origin corner says.
std::vector<unsigned char> tgabytes(const tgafile &t, const std::vector<unsigned char> &rgba)
{
	std::vector<unsigned char> out = tgaheaderbytes(t);
	int corner = (t.descriptor >> 4) & 3;
	for (int r = 0; r < t.height; r++) {
		int y = (corner & 2) ? r : t.height - 1 - r;
		for (int i = 0; i < t.width; i++) {
			int x = (corner & 1) ? t.width - 1 - i : i;
			const unsigned char *p = &rgba[(y * t.width + x) * 4];
			putbyte(out, p[2]);
			putbyte(out, p[1]);
			putbyte(out, p[0]);
			if (t.depth == 32)
				putbyte(out, p[3]);
		}
	}
	return out;
}

FILE *memoryfile(const std::vector<unsigned char> &bytes)
{
	FILE *f = tmpfile();
	if (!bytes.empty())
		fwrite(bytes.data(), 1, bytes.size(), f);
	rewind(f);
	return f;
}

int readbytes(int slot, const std::vector<unsigned char> &bytes, int mipmapped = 0)
{
	FILE *f = memoryfile(bytes);
	int filled = readtexturetga(slot, f, mipmapped);
	fclose(f);
	return filled;
}

const std::vector<unsigned char> quad = {
	255, 0, 0, 10,    0, 255, 0, 20,
	0, 0, 255, 30,    40, 50, 60, 70,
};

}  // namespace

TEST(TextureTga, EveryOriginCornerAndDepthGivesTopRowFirst)
{
	for (int depth : {24, 32}) {
		for (int corner = 0; corner < 4; corner++) {
			tgafile t;
			t.depth = depth;
			t.descriptor = (corner << 4) | (depth == 32 ? 8 : 0);
			ASSERT_EQ(readbytes(5, tgabytes(t, quad)), 1);
			ASSERT_EQ(texture[5].width, 2);
			ASSERT_EQ(texture[5].height, 2);
			for (int i = 0; i < 16; i++) {
				int expected = (i % 4 == 3 && depth == 24) ? 255 : quad[i];
				EXPECT_EQ(texture[5].pixels[i], expected)
					<< "depth " << depth << " corner " << corner << " byte " << i;
			}
		}
	}
}

TEST(TextureTga, ImageIdIsSkipped)
{
	tgafile t;
	t.idlength = 7;
	t.descriptor = 2 << 4;
	ASSERT_EQ(readbytes(6, tgabytes(t, quad)), 1);
	EXPECT_EQ(texture[6].pixels[0], 255);
	EXPECT_EQ(texture[6].pixels[12], 40);
}

TEST(TextureTga, BadHeadersLeaveTheSlotAsItWas)
{
	tgafile good;
	ASSERT_EQ(readbytes(7, tgabytes(good, quad)), 1);
	unsigned char *before = texture[7].pixels;

	std::vector<tgafile> bad(7);
	bad[0].imagetype = 10;          // run-length encoded
	bad[1].colormaptype = 1;
	bad[2].colormaplength = 16;
	bad[3].depth = 16;
	bad[4].width = 0;
	bad[5].width = 65535;           // a huge size from a broken header
	bad[5].height = 65535;
	bad[6].imagetype = 1;           // colour mapped
	for (const tgafile &t : bad) {
		EXPECT_EQ(readbytes(7, tgaheaderbytes(t)), 0);
		EXPECT_EQ(texture[7].pixels, before);
		EXPECT_EQ(texture[7].width, 2);
		EXPECT_EQ(texture[7].pixels[0], 255);
	}
	// A header cut short is refused as well.
	std::vector<unsigned char> header = tgaheaderbytes(good);
	header.resize(10);
	EXPECT_EQ(readbytes(7, header), 0);
	EXPECT_EQ(texture[7].pixels, before);
}

TEST(TextureTga, ShortFileGivesZerosForTheMissingTexels)
{
	tgafile t;
	t.width = 4;
	t.height = 4;
	t.descriptor = 2 << 4;   // top row first
	std::vector<unsigned char> rgba(4 * 4 * 4, 200);
	std::vector<unsigned char> bytes = tgabytes(t, rgba);
	bytes.resize(bytes.size() - 17);  // the file ends a byte into texel 10
	ASSERT_EQ(readbytes(8, bytes), 1);
	EXPECT_EQ(texture[8].pixels[0], 200);
	int firstmissing = (2 * 4 + 2) * 4;       // row 2 keeps two whole texels
	EXPECT_EQ(texture[8].pixels[firstmissing - 1], 255);
	for (int i = firstmissing; i < 4 * 4 * 4; i++)
		ASSERT_EQ(texture[8].pixels[i], 0) << i;
}

// Every cut and every byte forced to 0xFF either fills the slot with a
// complete buffer or leaves it alone; ASan watches the reads.
TEST(TextureTga, DamagedFilesAreReadSafely)
{
	tgafile t;
	t.depth = 32;
	t.descriptor = 8 | (1 << 4);
	t.idlength = 3;
	const std::vector<unsigned char> good = tgabytes(t, quad);
	for (size_t cut = 0; cut <= good.size(); cut++) {
		std::vector<unsigned char> bytes(good.begin(), good.begin() + cut);
		if (readbytes(13, bytes, 1)) {
			ASSERT_EQ(texture[13].width * texture[13].height, 4) << cut;
		}
	}
	for (size_t i = 0; i < good.size(); i++) {
		std::vector<unsigned char> bytes = good;
		bytes[i] = 0xFF;
		if (readbytes(13, bytes, 1)) {
			int w = texture[13].width, h = texture[13].height;
			ASSERT_TRUE(w >= 1 && h >= 1 && w <= 4096 && h <= 4096) << i;
			// Touch the whole chain so ASan sees any short buffer.
			unsigned sum = 0;
			for (int b = 0; b < miplevelbyteoffset(w, h, countmiplevels(w, h)); b++)
				sum += texture[13].pixels[b];
			(void)sum;
		}
	}
}

TEST(TextureTga, SlotsOutsideTheTableAreIgnored)
{
	tgafile t;
	EXPECT_EQ(readbytes(-1, tgabytes(t, quad)), 0);
	EXPECT_EQ(readbytes(MAXTEXTURES, tgabytes(t, quad)), 0);
	EXPECT_EQ(allocatetexture(MAXTEXTURES, 4, 4, 0), nullptr);
	EXPECT_EQ(buildmipmaps(-3), 0);
}

TEST(TextureMipmap, LevelCountsAndOffsets)
{
	EXPECT_EQ(countmiplevels(256, 256), 9);
	EXPECT_EQ(countmiplevels(1, 1), 1);
	EXPECT_EQ(countmiplevels(128, 64), 8);
	EXPECT_EQ(countmiplevels(4, 1), 3);
	EXPECT_EQ(miplevelbyteoffset(256, 256, 1), 256 * 256 * 4);
	EXPECT_EQ(miplevelbyteoffset(256, 256, 2), (256 * 256 + 128 * 128) * 4);
	// Non-square: the short side stays at 1 texel once it runs out.
	EXPECT_EQ(miplevelbyteoffset(4, 1, 3), (4 + 2 + 1) * 4);
}

TEST(TextureMipmap, BoxFilterRoundsDown)
{
	unsigned char *p = allocatetexture(9, 2, 2, 1);
	ASSERT_NE(p, nullptr);
	memset(p, 255, 16);
	memset(p, 0, 4);
	EXPECT_EQ(buildmipmaps(9), 2);
	for (int c = 0; c < 4; c++)
		EXPECT_EQ(p[16 + c], 191);
}

TEST(TextureMipmap, NonSquareChainIsComplete)
{
	unsigned char *p = allocatetexture(10, 4, 2, 1);
	ASSERT_NE(p, nullptr);
	// Column x has value 40 x (x + 1) in every channel; rows alike.
	for (int y = 0; y < 2; y++)
		for (int x = 0; x < 4; x++)
			memset(p + (y * 4 + x) * 4, 40 * (x + 1), 4);
	ASSERT_EQ(buildmipmaps(10), 3);
	const unsigned char *l1 = p + miplevelbyteoffset(4, 2, 1);
	EXPECT_EQ(l1[0], 60);    // (40 + 80) / 2
	EXPECT_EQ(l1[4], 140);   // (120 + 160) / 2
	const unsigned char *l2 = p + miplevelbyteoffset(4, 2, 2);
	EXPECT_EQ(l2[0], 100);
}

TEST(TextureMipmap, TgaLoadedWithMipmapsCarriesTheChain)
{
	tgafile t;
	t.descriptor = 2 << 4;
	std::vector<unsigned char> rgba = {0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
		255, 255};
	ASSERT_EQ(readbytes(11, tgabytes(t, rgba), 1), 1);
	EXPECT_EQ(texture[11].mipmapped, 1);
	EXPECT_EQ(texture[11].pixels[16], 191);
	EXPECT_EQ(texture[11].pixels[19], 255);  // 24-bit alpha is 255 everywhere
}

TEST(TextureFolders, LowDetailReadsFromTexturelowAndComesBack)
{
	char start[PATHSIZE];
	ASSERT_NE(getcwd(start, sizeof start), nullptr);
	char dir[] = "/tmp/tvtextureXXXXXX";
	ASSERT_NE(mkdtemp(dir), nullptr);
	ASSERT_EQ(chdir(dir), 0);
	mkdir("texture", 0777);
	mkdir("texturelow", 0777);
	tgafile t;
	t.descriptor = 2 << 4;
	std::vector<unsigned char> full = tgabytes(t, quad);
	t.width = 1;
	t.height = 1;
	std::vector<unsigned char> low = tgabytes(t, quad);
	FILE *f = fopen("texture/ground.tga", "wb");
	fwrite(full.data(), 1, full.size(), f);
	fclose(f);
	f = fopen("texturelow/ground.tga", "wb");
	fwrite(low.data(), 1, low.size(), f);
	fclose(f);

	EXPECT_EQ(readtexturefile(12, "ground.tga", 1, 1), 1);
	EXPECT_EQ(texture[12].width, 1);
	EXPECT_EQ(readtexturefile(12, "ground.tga", 1, 0), 1);
	EXPECT_EQ(texture[12].width, 2);
	char now[PATHSIZE];
	ASSERT_NE(getcwd(now, sizeof now), nullptr);
	EXPECT_STREQ(now, dir);

	// A missing file keeps the old image.
	EXPECT_EQ(readtexturefile(12, "missing.tga", 1, 0), 0);
	EXPECT_EQ(texture[12].width, 2);
	// Without the folder nothing changes folder at all.
	remove("texturelow/ground.tga");
	rmdir("texturelow");
	EXPECT_EQ(readtexturefile(12, "ground.tga", 0, 1), 0);
	ASSERT_NE(getcwd(now, sizeof now), nullptr);
	EXPECT_STREQ(now, dir);

	remove("texture/ground.tga");
	rmdir("texture");
	ASSERT_EQ(chdir(start), 0);
	rmdir(dir);
}
