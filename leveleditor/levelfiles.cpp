#include "leveleditor/levelfiles.h"

#include <cstring>
#include <unistd.h>

#include "game/progress.h"
#include "leveleditor/placements.h"
#include "platform/files.h"
#include "world/level.h"
#include "world/worldfile.h"

static char startfolder[PATHSIZE];

int levelnameallowed(const char *name)
{
	return savednameallowed(name, levelextension(0));
}

int levelfolderallowed(const char *name)
{
	return plainfilename(name);
}

int enterlevelfolders()
{
	if (!getcwd(startfolder, sizeof startfolder))
		return 0;
	if (chdir("files") != 0)
		return 0;
	if (leveldirname[0] && (!levelfolderallowed(leveldirname) || chdir(leveldirname) != 0)) {
		leavelevelfolders();
		return 0;
	}
	return 1;
}

void leavelevelfolders()
{
	// Going back by the saved path rather than "..": a pack folder that is
	// a link to elsewhere must not strand the browser there.
	if (chdir(startfolder) != 0)
		cd_cwd();
}

int listparentfolder()
{
	if (!leveldirname[0]) {
		dirlist[0][0] = 0;
		return 0;
	}
	copystring(dirlist[0], "..", NAMESIZE);
	dirlist[1][0] = 0;
	return 1;
}

int cutlistnames(char list[][NAMESIZE])
{
	int n = 0;
	while (n < LISTSIZE - 1 && list[n][0])
		cutlistname(list[n++]);
	return n;
}

int listlevelfolders()
{
	if (listparentfolder())
		return 1;
	char here[PATHSIZE];
	if (!getcwd(here, sizeof here) || chdir("files") != 0)
		return 0;
	listfiles("*.*", dirlist, 1);
	if (chdir(here) != 0)
		cd_cwd();
	// "." and ".." are not packs; the folder column offers only real ones.
	int kept = 0;
	for (int i = 0; i < LISTSIZE - 1 && dirlist[i][0]; i++) {
		if (levelfolderallowed(dirlist[i]))
			memmove(dirlist[kept++], dirlist[i], NAMESIZE);
	}
	dirlist[kept][0] = 0;
	return kept;
}

int listlevelfiles()
{
	filelist[0][0] = 0;
	if (!enterlevelfolders())
		return 0;
	listfiles("*.tvl", filelist, 0);
	leavelevelfolders();
	return cutlistnames(filelist);
}

int loadlevelfile()
{
	if (!levelnameallowed(levelfilename) || !enterlevelfolders())
		return 0;
	int loaded = loadlevel(levelfilename, 0);
	leavelevelfolders();
	return loaded;
}

int savelevelfile()
{
	if (!levelnameallowed(levelfilename) || !enterlevelfolders())
		return 0;
	int saved = savelevel(levelfilename, 0);
	leavelevelfolders();
	return saved;
}

void deletelevelfile()
{
	if (levelnameallowed(levelfilename) && enterlevelfolders()) {
		deletelevel(levelfilename, 0);
		leavelevelfolders();
	}
	levelfilename[0] = 0;
}

void changelevelfolder(const char *name)
{
	if (leveldirname[0])
		leveldirname[0] = 0;
	else if (levelfolderallowed(name))
		copystring(leveldirname, name, NAMESIZE);
}
