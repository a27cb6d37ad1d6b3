// Shared by the loader fuzz targets: each run works in its own temporary
// folder and hands the loader the input as a file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "platform/files.h"

inline void enterfuzzfolder()
{
	static int entered;
	if (entered)
		return;
	char pattern[] = "/tmp/trusvane-fuzz-XXXXXX";
	if (!mkdtemp(pattern) || chdir(pattern) != 0)
		abort();
	checkbigendian();
	entered = 1;
}

inline void writefuzzfile(const char *name, const uint8_t *data, size_t size)
{
	FILE *f = fopen(name, "wb");
	if (!f || fwrite(data, 1, size, f) != size)
		abort();
	fclose(f);
}

// A failed check in a fuzz run is a crash, which libFuzzer reports with
// the input that caused it.
inline void fuzzcheck(bool condition)
{
	if (!condition)
		abort();
}
