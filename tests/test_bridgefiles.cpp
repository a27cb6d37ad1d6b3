// The bridge file browser's folders, names and files in a profile under a
// temporary home, and the link colours' copy to and from the defaults.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/bridgefiles.h"
#include "game/progress.h"
#include "platform/config.h"
#include "platform/files.h"
#include "tempfolder.h"
#include "world/level.h"
#include "world/materials.h"

namespace {

int exists(const std::string &path)
{
	struct stat info;
	return stat(path.c_str(), &info) == 0;
}

std::string here()
{
	char path[PATHSIZE];
	return getcwd(path, sizeof path) ? path : "";
}

class BridgeBrowser : public ::testing::Test {
protected:
	tempfolder folder;
	std::string profile, start;
	void SetUp() override
	{
		entertempfolder(&folder);
		mkdir("home", 0777);
		mkdir("home/profile", 0777);
		mkdir("home/profile/player", 0777);
		mkdir("start", 0777);
		copystring(home_path, (folder.path + "/home").c_str(), PATHSIZE);
		copystring(cwd_path, (folder.path + "/start").c_str(), PATHSIZE);
		cd_cwd();
		start = here();
		profile = folder.path + "/home/profile/player/";
		copystring(profilename, "player", NAMESIZE);
		memset(&level, 0, sizeof level);
		level.landscapewidth = 4;
		level.landscapedepth = 4;
		numofpoints = 0;
		numoflinks = 0;
		leveldirname[0] = 0;
		levelfilename[0] = 0;
	}
	void TearDown() override { leavetempfolder(&folder); }

	int save(const char *name)
	{
		copystring(levelfilename, name, NAMESIZE);
		return savebridgefile();
	}
};

}  // namespace

TEST(BridgeNames, NamesThatWouldLeaveTheProfileFolderAreRefused)
{
	EXPECT_TRUE(bridgenameallowed("demo1"));
	// A dotted name would never be listed again; a pack folder may hold one.
	EXPECT_FALSE(bridgenameallowed("my bridge.v2"));
	EXPECT_FALSE(bridgenameallowed(".hidden"));
	EXPECT_TRUE(bridgefolderallowed("pack.v2"));
	EXPECT_FALSE(bridgenameallowed(""));
	EXPECT_FALSE(bridgenameallowed("."));
	EXPECT_FALSE(bridgenameallowed(".."));
	EXPECT_FALSE(bridgenameallowed("../victim"));
	EXPECT_FALSE(bridgenameallowed("demo/x"));
	EXPECT_FALSE(bridgenameallowed("back\\slash"));
	EXPECT_FALSE(bridgenameallowed("line\nbreak"));
	char full[NAMESIZE + 1];
	memset(full, 'a', NAMESIZE);
	full[NAMESIZE] = 0;
	EXPECT_FALSE(bridgenameallowed(full));
}

TEST_F(BridgeBrowser, SaveModeCreatesThePackFolderAndSavesListsLoadsAndDeletesThere)
{
	copystring(leveldirname, "demo", NAMESIZE);
	openbridgefolder(1);
	EXPECT_STREQ(leveldirname, "demo");
	EXPECT_TRUE(exists(profile + "demo"));
	EXPECT_EQ(here(), start);
	EXPECT_EQ(listbridgefolders(), 1);
	EXPECT_STREQ(dirlist[0], "..");

	level.budget = 1234;
	copystring(level.bridgename, "Span", NAMESIZE);
	ASSERT_TRUE(save("mine"));
	EXPECT_TRUE(exists(profile + "demo/mine.tvb"));
	EXPECT_EQ(here(), start);
	EXPECT_FALSE(save(""));  // no hidden ".tvb"
	EXPECT_FALSE(exists(profile + "demo/.tvb"));

	level.budget = 0;
	level.bridgename[0] = 0;
	copystring(levelfilename, "mine", NAMESIZE);
	ASSERT_TRUE(loadbridgefile());
	EXPECT_EQ(level.budget, 1234);
	EXPECT_STREQ(level.bridgename, "Span");  // a bridge file keeps its name
	copystring(levelfilename, "missing", NAMESIZE);
	EXPECT_FALSE(loadbridgefile());
	EXPECT_EQ(here(), start);

	copystring(levelfilename, "mine", NAMESIZE);
	deletebridgefile();
	EXPECT_STREQ(levelfilename, "");
	EXPECT_FALSE(exists(profile + "demo/mine.tvb"));
	EXPECT_EQ(listbridgefiles(), 0);
}

TEST_F(BridgeBrowser, WithoutAPackFolderTheProfileFolderItselfIsUsed)
{
	mkdir((profile + "demo").c_str(), 0777);
	mkdir((profile + "other").c_str(), 0777);
	ASSERT_TRUE(save("top"));
	EXPECT_TRUE(exists(profile + "top.tvb"));
	// The profile's own files are no folders, and "." and ".." are no packs.
	EXPECT_EQ(listbridgefolders(), 2);
	EXPECT_STREQ(dirlist[0], "demo");
	EXPECT_STREQ(dirlist[1], "other");
	EXPECT_EQ(listbridgefiles(), 1);
	EXPECT_STREQ(filelist[0], "top");

	changebridgefolder("other");
	EXPECT_STREQ(leveldirname, "other");
	EXPECT_EQ(listbridgefiles(), 0);
	changebridgefolder("..");
	EXPECT_STREQ(leveldirname, "");
	changebridgefolder("..");  // from the top, ".." is no pack folder
	EXPECT_STREQ(leveldirname, "");
}

TEST_F(BridgeBrowser, ListsHoldEveryBridgeWithLongNamesWhole)
{
	copystring(leveldirname, "demo", NAMESIZE);
	openbridgefolder(1);
	for (int i = 0; i < 24; i++) {
		char name[NAMESIZE];
		snprintf(name, sizeof name, "bridge%02d", i);
		ASSERT_TRUE(save(name));
	}
	EXPECT_EQ(listbridgefiles(), 24);
	ASSERT_TRUE(save("abcdefghijklmnopqrstuvwxyz"));
	EXPECT_EQ(listbridgefiles(), 25);
	EXPECT_STREQ(filelist[0], "abcdefghijklmnopqrstuvwxyz");  // whole: Load and Delete use it
	EXPECT_STREQ(filelist[1], "bridge00");
	EXPECT_STREQ(filelist[24], "bridge23");
}

// Every name that can be saved comes back in the list; a name the listing
// would drop is refused before anything is written.
TEST_F(BridgeBrowser, EverySavedNameIsListedAgain)
{
	const char *refused[] = {"a*b", "*x", "**", "<odd", "abcdefghijklmnopqrstuvwxyz01"};
	for (const char *name : refused) {
		EXPECT_FALSE(save(name)) << name;
		EXPECT_FALSE(exists(profile + name + ".tvb")) << name;
	}
	const char *awkward[] = {"x*", "*", " a b ", "?[!]", "~$HOME", "-", "\xe9t\xe9", ">",
		"abcdefghijklmnopqrstuvwxyz0"};
	for (const char *name : awkward)
		ASSERT_TRUE(save(name)) << name;
	int count = listbridgefiles();
	EXPECT_EQ(std::set<std::string>(filelist, filelist + count),
		std::set<std::string>(std::begin(awkward), std::end(awkward)));
}

TEST_F(BridgeBrowser, EscapingNamesAndMissingFoldersTouchNothing)
{
	writefile("../home/profile/victim.tvb", "keep");
	copystring(leveldirname, "demo", NAMESIZE);
	openbridgefolder(1);
	copystring(levelfilename, "../victim", NAMESIZE);
	deletebridgefile();
	EXPECT_EQ(readfile((folder.path + "/home/profile/victim.tvb").c_str()), "keep");
	EXPECT_FALSE(save("../victim"));
	EXPECT_FALSE(save("../../victim"));
	EXPECT_EQ(readfile((folder.path + "/home/profile/victim.tvb").c_str()), "keep");

	// A pack folder name that would leave the profile is closed on opening.
	copystring(leveldirname, "..", NAMESIZE);
	openbridgefolder(1);
	EXPECT_STREQ(leveldirname, "");
	// A pack folder that cannot be entered in load mode is closed too.
	copystring(leveldirname, "gone", NAMESIZE);
	openbridgefolder(0);
	EXPECT_STREQ(leveldirname, "");
	EXPECT_FALSE(exists(profile + "gone"));

	// Without the profile folder nothing is saved in the home or start
	// folder in its stead.
	copystring(profilename, "nobody", NAMESIZE);
	EXPECT_FALSE(save("stray"));
	EXPECT_FALSE(exists(folder.path + "/home/stray.tvb"));
	EXPECT_FALSE(exists(folder.path + "/start/stray.tvb"));
	EXPECT_EQ(listbridgefiles(), 0);
	EXPECT_EQ(listbridgefolders(), 0);
	EXPECT_EQ(here(), start);
}

TEST(BridgeColors, DefaultsCopyBothWaysOnlyForTheOfferedMaterials)
{
	memset(&level, 0, sizeof level);
	for (int t = 0; t < MATERIALCOLORS; t++) {
		materialcolor[t][0] = 0.25f;
		materialcolor[t][1] = 0.5f;
		materialcolor[t][2] = 0.75f;
	}
	level.linkcolor[LINKSTEEL] = {0.1f, 0.2f, 0.3f};
	loaddefaultlinkcolor(LINKSTEEL);
	savedefaultlinkcolor(LINKSTEEL);
	EXPECT_EQ(level.linkcolor[LINKSTEEL].x, 0.25f);
	EXPECT_EQ(level.linkcolor[LINKSTEEL].z, 0.75f);
	EXPECT_EQ(materialcolor[LINKSTEEL][1], 0.5f);

	level.linkcolor[LINKHYDRAULIC2] = {1.0f, 0.0f, 0.5f};
	savedefaultlinkcolor(LINKHYDRAULIC2);
	EXPECT_EQ(materialcolor[LINKHYDRAULIC2][0], 1.0f);
	EXPECT_EQ(materialcolor[LINKHYDRAULIC2][2], 0.5f);

	// The thin crossbeam kinds and the other types are not offered.
	const int others[] = {-1, 0, 1, 9, LINKTHIN + LINKIRON, LINKTHIN + LINKSTEEL,
		LINKTHIN + LINKHEAVYSTEEL, MATERIALCOLORS};
	for (int t : others) {
		loaddefaultlinkcolor(t);
		savedefaultlinkcolor(t);
	}
	for (int t : {1, 9, 12, 13, 16}) {
		EXPECT_EQ(level.linkcolor[t].x, 0.0f) << t;
		EXPECT_EQ(materialcolor[t][0], 0.25f) << t;
	}
}
