#include "editor/bridgefiles.h"

#include <cstring>
#include <sys/stat.h>

#include "game/progress.h"
#include "leveleditor/levelfiles.h"
#include "platform/config.h"
#include "platform/files.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/worldfile.h"

int bridgefolderallowed(const char *name)
{
	return plainfilename(name);
}

int bridgenameallowed(const char *name)
{
	return savednameallowed(name, levelextension(1));
}

int enterbridgefolder(int create)
{
	if (leveldirname[0] && !bridgefolderallowed(leveldirname))
		return 0;
	// Without the profile folder a save would land in the home or start
	// folder, so nothing happens at all.
	if (!enterprofilefolder()) {
		cd_cwd();
		return 0;
	}
	if (!leveldirname[0])
		return 1;
	if (create)
		mkdir(leveldirname, 0777);
	if (!enterfolder(leveldirname)) {
		cd_cwd();
		return 0;
	}
	return 1;
}

void openbridgefolder(int create)
{
	if (leveldirname[0] && !enterbridgefolder(create))
		leveldirname[0] = 0;
	cd_cwd();
}

int listbridgefolders()
{
	if (listparentfolder())
		return 1;
	if (enterprofilefolder())
		listfiles("*.*", dirlist, 1);
	cd_cwd();
	// "." and ".." are no packs: choosing them would leave the profile.
	int kept = 0;
	for (int i = 0; i < LISTSIZE - 1 && dirlist[i][0]; i++) {
		if (bridgefolderallowed(dirlist[i]))
			memmove(dirlist[kept++], dirlist[i], NAMESIZE);
	}
	dirlist[kept][0] = 0;
	return kept;
}

int listbridgefiles()
{
	filelist[0][0] = 0;
	if (!enterbridgefolder(0))
		return 0;
	listfiles("*.tvb", filelist, 0);
	cd_cwd();
	return cutlistnames(filelist);
}

int savebridgefile()
{
	if (!bridgenameallowed(levelfilename) || !enterbridgefolder(1))
		return 0;
	int saved = savelevel(levelfilename, 1);
	cd_cwd();
	return saved;
}

int loadbridgefile()
{
	if (!bridgenameallowed(levelfilename) || !enterbridgefolder(0))
		return 0;
	int loaded = loadlevel(levelfilename, 1);
	cd_cwd();
	return loaded;
}

void deletebridgefile()
{
	if (bridgenameallowed(levelfilename) && enterbridgefolder(0)) {
		deletelevel(levelfilename, 1);
		cd_cwd();
	}
	levelfilename[0] = 0;
}

void changebridgefolder(const char *name)
{
	if (leveldirname[0])
		leveldirname[0] = 0;
	else if (bridgefolderallowed(name))
		copystring(leveldirname, name, NAMESIZE);
}

static_assert(LINKHYDRAULIC2 < MAXLINKCOLORS && LINKHYDRAULIC2 < MATERIALCOLORS,
	"every offered link type has a level and a default colour");

static int offeredlinktype(int type)
{
	return type >= LINKIRON && type <= LINKHYDRAULIC2;
}

void loaddefaultlinkcolor(int type)
{
	if (!offeredlinktype(type))
		return;
	vector3 *c = &level.linkcolor[type];
	c->x = materialcolor[type][0];
	c->y = materialcolor[type][1];
	c->z = materialcolor[type][2];
}

void savedefaultlinkcolor(int type)
{
	if (!offeredlinktype(type))
		return;
	const vector3 *c = &level.linkcolor[type];
	materialcolor[type][0] = c->x;
	materialcolor[type][1] = c->y;
	materialcolor[type][2] = c->z;
}
