#include "platform/files.h"

#include "tests/tempfolder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>

#include <cstring>

static std::string contents(FILE *f)
{
	std::string bytes;
	rewind(f);
	int c;
	while ((c = fgetc(f)) != EOF)
		bytes += (char)c;
	return bytes;
}

TEST(Files, SwappingWritersAndReadersReverseEachElement)
{
	FILE *f = tmpfile();
	unsigned char ones[3] = {1, 2, 3};
	uint16_t shorts[2] = {0x0102, 0x0304};
	uint32_t word = 0x01020304;
	EXPECT_EQ(fwriteswap(ones, 1, 3, f), 3u);
	EXPECT_EQ(fwriteswap(shorts, 2, 2, f), 2u);
	EXPECT_EQ(fwriteswap(&word, 4, 1, f), 1u);
	EXPECT_EQ(fwriteswap(&word, 3, 1, f), 0u);  // no such field width

	// Written as the host holds them, reversed: the bytes of the values in
	// big-endian order on this little-endian host.
	std::string expected("\x01\x02\x03" "\x01\x02\x03\x04" "\x01\x02\x03\x04", 11);
	EXPECT_EQ(contents(f), expected);

	rewind(f);
	unsigned char ones2[3];
	uint16_t shorts2[2];
	uint32_t word2;
	EXPECT_EQ(freadswap(ones2, 1, 3, f), 3u);
	EXPECT_EQ(freadswap(shorts2, 2, 2, f), 2u);
	EXPECT_EQ(freadswap(&word2, 4, 1, f), 1u);
	EXPECT_EQ(memcmp(ones, ones2, 3), 0);
	EXPECT_EQ(shorts2[0], 0x0102);
	EXPECT_EQ(shorts2[1], 0x0304);
	EXPECT_EQ(word2, 0x01020304u);
	fclose(f);
}

TEST(Files, ShortReadsReportWholeElements)
{
	FILE *f = tmpfile();
	fwrite("\x01\x02\x03\x04\x05\x06", 1, 6, f);
	rewind(f);
	uint32_t words[2] = {0, 0};
	EXPECT_EQ(freadswap(words, 4, 2, f), 1u);
	rewind(f);
	checkbigendian();
	EXPECT_EQ(fread2(words, 4, 2, f), 1u);
	fclose(f);
}

TEST(Files, BinaryFilesAreLittleEndian)
{
	checkbigendian();
	EXPECT_EQ(bigendian, 0);
	FILE *f = tmpfile();
	int32_t one = 1;
	EXPECT_EQ(fwrite2(&one, 4, 1, f), 1u);
	EXPECT_EQ(contents(f), std::string("\x01\x00\x00\x00", 4));
	fclose(f);

	uint32_t texel = swapbytes(255, 0, 0, 255);
	unsigned char bytes[4];
	memcpy(bytes, &texel, 4);
	EXPECT_EQ(bytes[0], 255);
	EXPECT_EQ(bytes[1], 0);
	EXPECT_EQ(bytes[2], 0);
	EXPECT_EQ(bytes[3], 255);
	texel = swapbytes(1, 2, 3, 4);
	memcpy(bytes, &texel, 4);
	EXPECT_EQ(bytes[0], 4);
	EXPECT_EQ(bytes[3], 1);
}

TEST(Files, CheckFileSpec)
{
	struct {
		const char *pattern, *name;
		int match;
	} cases[] = {
		{"*.tvb", "span.tvb", 1},
		{"*.tvb", "span.tvl", 0},
		{"*.tvb", "span", 1},      // a name that ends first matches
		{"*.tvb", "readme", 1},
		{"*.tvb", "a.tvbx", 1},    // so does one that goes on
		{"*.tvb", "a.b.tvb", 0},   // the star ends at the first dot
		{"*.*", "profile", 1},
		{"*.*", "a.b.c", 1},
		{"level*.tvl", "level1.tvl", 1},
		{"level*.tvl", "lavel1.tvl", 0},
		{"*", "", 1},
	};
	for (const auto &c : cases)
		EXPECT_EQ(checkfilespec(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

class FolderTest : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override { entertempfolder(&folder); }
	void TearDown() override { leavetempfolder(&folder); }
};

TEST_F(FolderTest, ListFilesSortsAndFilters)
{
	writefile("b.tvb", "");
	writefile("A.tvb", "");
	writefile("a.tvb", "");
	writefile(".hidden.tvb", "");  // the star stops at the first dot
	writefile("<odd.tvb", "");
	writefile("note.txt", "");
	writefile("abcdefghijklmnopqrstuvwxyz01234.tvb", "");  // 35 characters: skipped
	mkdir("folder.tvb", 0777);
	mkdir("maps", 0777);
	mkdir(".secret", 0777);
	mkdir("<x", 0777);

	listfiles("*.tvb", filelist, 0);
	const char *files[] = {"A.tvb", "a.tvb", "b.tvb"};
	for (int n = 0; n < 3; n++)
		EXPECT_STREQ(filelist[n], files[n]);
	EXPECT_EQ(filelist[3][0], 0);

	listfiles("*.*", dirlist, 1);
	EXPECT_STREQ(dirlist[0], "folder.tvb");
	EXPECT_STREQ(dirlist[1], "maps");
	EXPECT_EQ(dirlist[2][0], 0);

	listfiles("*.none", filelist, 0);
	EXPECT_EQ(filelist[0][0], 0);
}

TEST_F(FolderTest, ListFilesStaysInsideItsList)
{
	char name[NAMESIZE];
	for (int n = 0; n < LISTSIZE + 50; n++) {
		snprintf(name, sizeof name, "f%04d", n);
		writefile(name, "");
	}
	listfiles("*", filelist, 0);
	int count = 0;
	while (count < LISTSIZE && filelist[count][0])
		count++;
	EXPECT_EQ(count, LISTSIZE - 1);

	// A smaller list given by the caller: exact size, so ASan sees any overrun.
	char(*small)[NAMESIZE] = new char[3][NAMESIZE];
	listfiles("*", small, 0, 3);
	EXPECT_NE(small[0][0], 0);
	EXPECT_NE(small[1][0], 0);
	EXPECT_EQ(small[2][0], 0);
	EXPECT_LT(strcmp(small[0], small[1]), 0);
	delete[] small;
}

TEST_F(FolderTest, SaveFileKeepsOldFileWhenWritingFails)
{
	writefile("keep.txt", "old");
	ASSERT_TRUE(opensavefile("keep.txt"));
	fputs("new", fp);
	fgetc(fp);  // reading a write-only stream marks it failed
	EXPECT_EQ(closesavefile("keep.txt"), 0);
	EXPECT_EQ(readfile("keep.txt"), "old");
	EXPECT_EQ(access("keep.txt.tmp", F_OK), -1);

	ASSERT_TRUE(opensavefile("keep.txt"));
	fputs("new", fp);
	EXPECT_EQ(closesavefile("keep.txt"), 1);
	EXPECT_EQ(readfile("keep.txt"), "new");

	EXPECT_EQ(opensavefile("missing/keep.txt"), 0);
	EXPECT_EQ(closesavefile("missing/keep.txt"), 0);
}

static std::string currentfolder()
{
	char here[4096];
	return getcwd(here, sizeof here) ? here : "";
}

class PathsTest : public FolderTest {
protected:
	std::string savedhome;
	int hadhome = 0;
	void SetUp() override
	{
		FolderTest::SetUp();
		const char *home = getenv("HOME");
		hadhome = home != nullptr;
		if (home)
			savedhome = home;
		mkdir("start", 0777);
		mkdir("home", 0777);
		ASSERT_EQ(chdir("start"), 0);
	}
	void TearDown() override
	{
		if (hadhome)
			setenv("HOME", savedhome.c_str(), 1);
		else
			unsetenv("HOME");
		FolderTest::TearDown();
	}
};

TEST_F(PathsTest, HomeFolderIsCreatedAndEntered)
{
	std::string start = currentfolder();
	std::string home = folder.path + "/home";
	setenv("HOME", home.c_str(), 1);
	get_paths();
	EXPECT_EQ(std::string(cwd_path), start);
	EXPECT_EQ(std::string(home_path), home + "/.Trusvane Demo");
	EXPECT_EQ(currentfolder(), home + "/.Trusvane Demo");
	EXPECT_EQ(cd_cwd(), 1);
	EXPECT_EQ(currentfolder(), start);
	EXPECT_EQ(cd_home(), 1);
	EXPECT_EQ(currentfolder(), home + "/.Trusvane Demo");
}

TEST_F(PathsTest, MissingHomeIsNotCreatedInTheStartFolder)
{
	std::string start = currentfolder();
	setenv("HOME", (folder.path + "/nowhere").c_str(), 1);
	get_paths();
	EXPECT_EQ(currentfolder(), start);
	EXPECT_EQ(access(".Trusvane Demo", F_OK), -1);
	EXPECT_EQ(cd_home(), 0);
	EXPECT_EQ(currentfolder(), start);
}

// Only the folder is looked up: get_paths would make the game's folder in
// the real home of whoever runs the tests.
TEST_F(PathsTest, UnsetOrOverlongHomeFallsBackToThePasswordDatabase)
{
	struct passwd *entry = getpwuid(getuid());
	ASSERT_NE(entry, nullptr);
	std::string expected = entry->pw_dir;

	unsetenv("HOME");
	ASSERT_NE(findhome(), nullptr);
	EXPECT_EQ(std::string(findhome()), expected);

	setenv("HOME", std::string(PATHSIZE + 100, 'x').c_str(), 1);
	ASSERT_NE(findhome(), nullptr);
	EXPECT_EQ(std::string(findhome()), expected);
}
