#include "game/profiles.h"

#include "world/level.h"
#include "world/worldfile.h"

#include <sys/stat.h>

int numofprofiles;

int listprofiles()
{
	numofprofiles = 0;
	profilelist[0][0] = 0;
	// Without a home folder the listing would show the start folder.
	if (cd_home()) {
		mkdir("profile", 0777);
		if (enterfolder("profile"))
			listfiles("*.*", profilelist, 1, PROFILENAMESLOT);
	}
	cd_cwd();
	while (numofprofiles < PROFILENAMESLOT && profilelist[numofprofiles][0])
		numofprofiles++;
	return numofprofiles;
}

int createprofile(const char *name)
{
	if (!savednameallowed(name, ""))
		return 0;
	copystring(profilename, name, sizeof profilename);
	if (cd_home()) {
		mkdir("profile", 0777);
		if (enterfolder("profile"))
			mkdir(profilename, 0777);
	}
	cd_cwd();
	return 1;
}
