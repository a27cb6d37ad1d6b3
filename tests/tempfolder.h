// A fresh temporary folder for one test, entered on creation; the test
// returns to the folder it started in and removes everything when done.
#pragma once

#include <cstdlib>
#include <string>
#include <unistd.h>

struct tempfolder {
	std::string path;
	std::string previous;
};

inline void entertempfolder(tempfolder *t)
{
	char pattern[] = "/tmp/trusvane-test-XXXXXX";
	t->path = mkdtemp(pattern);
	char here[4096];
	t->previous = getcwd(here, sizeof here) ? here : "/";
	if (chdir(t->path.c_str()) != 0)
		abort();
}

inline void leavetempfolder(tempfolder *t)
{
	if (chdir(t->previous.c_str()) != 0)
		abort();
	std::string command = "rm -rf '" + t->path + "'";
	if (system(command.c_str()) != 0)
		abort();
}

inline void writefile(const char *name, const std::string &bytes)
{
	FILE *f = fopen(name, "wb");
	if (!f)
		abort();
	fwrite(bytes.data(), 1, bytes.size(), f);
	fclose(f);
}

inline std::string readfile(const char *name)
{
	std::string bytes;
	FILE *f = fopen(name, "rb");
	if (!f)
		return bytes;
	char buffer[4096];
	size_t got;
	while ((got = fread(buffer, 1, sizeof buffer, f)) > 0)
		bytes.append(buffer, got);
	fclose(f);
	return bytes;
}
