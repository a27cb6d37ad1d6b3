// Player profiles as folders under "profile" in the home folder: listing,
// creation, names that would leave the folder, and a list longer than fits.
#include "game/profiles.h"
#include "platform/files.h"
#include "tempfolder.h"
#include "world/level.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class Profiles : public ::testing::Test {
protected:
	tempfolder temp;
	std::string profiles;

	void SetUp() override
	{
		entertempfolder(&temp);
		mkdir("home", 0777);
		mkdir("start", 0777);
		setenv("HOME", (temp.path + "/home").c_str(), 1);
		ASSERT_EQ(chdir("start"), 0);
		get_paths();
		ASSERT_EQ(cd_cwd(), 1);
		profiles = temp.path + "/home/" + tvn_folder + "/profile";
		copystring(profilename, "default", NAMESIZE);
	}

	void TearDown() override { leavetempfolder(&temp); }

	int instartfolder()
	{
		char here[PATHSIZE];
		return getcwd(here, sizeof here) && !strcmp(here, cwd_path);
	}
};

static int isfolder(const std::string &path)
{
	struct stat s;
	return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

TEST_F(Profiles, CreatedProfilesAreListedSortedAndDeletedOnesDisappear)
{
	EXPECT_EQ(listprofiles(), 0);
	EXPECT_TRUE(isfolder(profiles)) << "the listing makes the profile folder";
	EXPECT_EQ(profilelist[0][0], 0);
	EXPECT_TRUE(instartfolder());

	EXPECT_EQ(createprofile("zoe"), 1);
	EXPECT_EQ(createprofile("adam"), 1);
	EXPECT_STREQ(profilename, "adam");
	EXPECT_TRUE(instartfolder());
	// A plain file among the profiles is no profile.
	writefile((profiles + "/notes.txt").c_str(), "x");

	ASSERT_EQ(listprofiles(), 2);
	EXPECT_STREQ(profilelist[0], "adam");
	EXPECT_STREQ(profilelist[1], "zoe");
	EXPECT_EQ(profilelist[2][0], 0);

	// Creating an existing profile only selects it.
	EXPECT_EQ(createprofile("zoe"), 1);
	EXPECT_STREQ(profilename, "zoe");
	EXPECT_EQ(listprofiles(), 2);

	ASSERT_EQ(rmdir((profiles + "/zoe").c_str()), 0);
	ASSERT_EQ(listprofiles(), 1);
	EXPECT_STREQ(profilelist[0], "adam");
	EXPECT_TRUE(instartfolder());
}

TEST_F(Profiles, NamesThatWouldLeaveTheProfileFolderAreRefused)
{
	const std::string longname(NAMESIZE, 'a');
	const char *unsafe[] = { "", ".", "..", "../outside", "a/b", "/tmp", longname.c_str(),
		"a.b", ".hidden", "a\\b", "tab\there", "a*b", "<x" };
	for (const char *name : unsafe) {
		EXPECT_EQ(createprofile(name), 0) << "'" << name << "'";
		EXPECT_STREQ(profilename, "default") << "'" << name << "'";
		EXPECT_TRUE(instartfolder());
	}
	EXPECT_FALSE(isfolder(temp.path + "/home/" + tvn_folder + "/outside"));
	EXPECT_FALSE(isfolder(profiles + "/a"));
	EXPECT_FALSE(isfolder(profiles + "/a*b"));  // the listing would never show these
	EXPECT_FALSE(isfolder(profiles + "/<x"));
	EXPECT_EQ(listprofiles(), 0);

	// The longest name a folder list can hold is still fine.
	const std::string longest(NAMESIZE - 1, 'b');
	EXPECT_EQ(createprofile(longest.c_str()), 1);
	EXPECT_EQ(listprofiles(), 1);
	EXPECT_STREQ(profilelist[0], longest.c_str());
}

TEST_F(Profiles, TooManyProfilesLeaveTheNameBufferAndTheEndMarkInPlace)
{
	ASSERT_EQ(listprofiles(), 0);
	for (int n = 0; n < LISTSIZE + 20; n++) {
		char name[16];
		snprintf(name, sizeof name, "p%04d", n);
		ASSERT_EQ(mkdir((profiles + "/" + name).c_str(), 0777), 0);
	}
	copystring(profilelist[PROFILENAMESLOT], "typed", NAMESIZE);
	int count = listprofiles();
	EXPECT_EQ(count, PROFILENAMESLOT - 1);
	EXPECT_EQ(numofprofiles, count);
	EXPECT_EQ(profilelist[count][0], 0) << "the list ends before the name buffer";
	EXPECT_STREQ(profilelist[PROFILENAMESLOT], "typed");
	EXPECT_TRUE(instartfolder());
}

TEST_F(Profiles, WithoutAHomeFolderNothingIsListedOrCreated)
{
	home_path[0] = 0;
	EXPECT_EQ(listprofiles(), 0);
	// The profile is chosen all the same; its folder is made when a home
	// folder exists again.
	EXPECT_EQ(createprofile("guest"), 1);
	EXPECT_STREQ(profilename, "guest");
	EXPECT_FALSE(isfolder("profile"));
	EXPECT_TRUE(instartfolder());
}
