#include <cstring>
#include <sys/stat.h>

#include "fuzzfile.h"
#include "world/objectphysics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	enterfuzzfolder();
	mkdir("object", 0777);
	writefuzzfile("object/object07.tvp", data, size);
	const objectphysicsstruct before = objectphysics[7];
	if (loadobjectphysics(7))
		fuzzcheck(objectphysics[7].numofwheels >= 0 && objectphysics[7].numofwheels <= MAXWHEELS);
	else
		fuzzcheck(!memcmp(&before, &objectphysics[7], sizeof before));
	return 0;
}
