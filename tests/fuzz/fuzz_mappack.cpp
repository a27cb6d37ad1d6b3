#include <cstring>

#include "fuzzfile.h"
#include "world/mappack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	enterfuzzfolder();
	copystring(mappackname, "fuzz", NAMESIZE);
	writefuzzfile("fuzz.tvm", data, size);
	const mappackstruct before = mappack;
	if (loadmappack()) {
		fuzzcheck(mappack.numoflevels >= 0 && mappack.numoflevels <= MAXPACKLEVELS);
		for (auto &name : mappack.levelname)
			fuzzcheck(memchr(name, 0, NAMESIZE) != nullptr);
	} else {
		fuzzcheck(!memcmp(&before, &mappack, sizeof before));
	}
	return 0;
}
