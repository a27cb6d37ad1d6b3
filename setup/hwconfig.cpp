// "hwconfig.txt" for the setup program: the same text format and the same
// 110 lines as the game writes, with the older binary "hwconfig.cfg" read
// only when the text file is missing. Every key that the setup screen does
// not edit is written back with the value read.
#include "setup/hwconfig.h"

#include "platform/hwconfigfile.h"

int editormovemode;

static const hwconfigplaces setupplaces = {&config, materialcolor, &editormovemode};

void loadconfig()
{
	setdefaultconfig();
	int version = readhwconfig(&setupplaces);
	// Version 3 is read as the game reads it. Versions 5 and 6, which the
	// game wrote last, are read as the game reads them too, so their settings
	// are carried into the text file rather than replaced by defaults; only
	// version 4 brightens the heavy steel colour where the game does not.
	if (version >= 3 && version <= 5)
		brightenheavysteel(materialcolor);
}

int saveconfig()
{
	return writehwconfig(&setupplaces);
}
