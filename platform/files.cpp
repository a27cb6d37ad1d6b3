#include "files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

int bigendian;
freadfunc fread2 = fread;
fwritefunc fwrite2 = fwrite;
FILE *fp;

char cwd_path[PATHSIZE];
char home_path[PATHSIZE];
char tvn_folder[30] = ".Trusvane Demo";

char filelist[LISTSIZE][NAMESIZE];
char dirlist[LISTSIZE][NAMESIZE];
char profilelist[LISTSIZE][NAMESIZE];

void checkbigendian()
{
	uint32_t word = 0x12345678;
	unsigned char first;
	memcpy(&first, &word, 1);
	bigendian = (first == 0x12);
	if (bigendian) {
		fread2 = freadswap;
		fwrite2 = fwriteswap;
	} else {
		fread2 = fread;
		fwrite2 = fwrite;
	}
}

size_t freadswap(void *buffer, size_t size, size_t count, FILE *stream)
{
	unsigned char *b = static_cast<unsigned char *>(buffer);
	if (size != 1 && size != 2 && size != 4)
		return 0;
	for (size_t n = 0; n < count; n++) {
		unsigned char bytes[4];
		if (fread(bytes, 1, size, stream) != size)
			return n;
		for (size_t k = 0; k < size; k++)
			b[n * size + k] = bytes[size - 1 - k];
	}
	return count;
}

size_t fwriteswap(const void *buffer, size_t size, size_t count, FILE *stream)
{
	const unsigned char *b = static_cast<const unsigned char *>(buffer);
	if (size != 1 && size != 2 && size != 4)
		return 0;
	for (size_t n = 0; n < count; n++) {
		unsigned char bytes[4];
		for (size_t k = 0; k < size; k++)
			bytes[k] = b[n * size + size - 1 - k];
		if (fwrite(bytes, 1, size, stream) != size)
			return n;
	}
	return count;
}

uint32_t swapbytes(int p1, int p2, int p3, int p4)
{
	// The bytes in memory are p4, p3, p2, p1 on either host.
	unsigned char bytes[4] = {(unsigned char)p4, (unsigned char)p3, (unsigned char)p2,
		(unsigned char)p1};
	uint32_t texel;
	memcpy(&texel, bytes, 4);
	return texel;
}

int comparestrings(const void *a, const void *b)
{
	return strcmp(static_cast<const char *>(a), static_cast<const char *>(b));
}

int checkfilespec(const char *pattern, const char *name)
{
	int j = 0;
	int i = 0;
	for (;;) {
		if (pattern[j] == 0 || name[i] == 0)
			return 1;
		if (pattern[j] != name[i] && pattern[j] != '*')
			return 0;
		if (pattern[j] == name[i])
			j++;
		else if (pattern[j + 1] == name[i])
			j += 2;
		i++;
	}
}

int listedname(const char *pattern, const char *name)
{
	return strlen(name) < NAMESIZE && name[0] != '<' && checkfilespec(pattern, name);
}

void listfiles(const char *pattern, char list[][NAMESIZE], int folders, int capacity)
{
	if (capacity > LISTSIZE)
		capacity = LISTSIZE;
	if (capacity < 1)
		return;
	int count = 0;
	DIR *dir = opendir(".");
	if (dir) {
		struct dirent *entry;
		while (count < capacity - 1 && (entry = readdir(dir)) != nullptr) {
			const char *name = entry->d_name;
			if (!listedname(pattern, name))
				continue;
			struct stat info;
			int isfolder = stat(name, &info) == 0 && S_ISDIR(info.st_mode);
			if (folders && (!isfolder || name[0] == '.'))
				continue;
			if (!folders && isfolder)
				continue;
			copystring(list[count], name, NAMESIZE);
			count++;
		}
		closedir(dir);
	}
	list[count][0] = 0;
	qsort(list, count, NAMESIZE, comparestrings);
}

const char *findhome()
{
	const char *home = getenv("HOME");
	if (home && home[0] && strlen(home) + strlen(tvn_folder) + 2 <= PATHSIZE)
		return home;
	struct passwd *entry = getpwuid(getuid());
	if (entry && entry->pw_dir && strlen(entry->pw_dir) + strlen(tvn_folder) + 2 <= PATHSIZE)
		return entry->pw_dir;
	return nullptr;
}

void get_paths()
{
	if (!getcwd(cwd_path, PATHSIZE))
		cwd_path[0] = 0;
	const char *home = findhome();
	if (!home) {
		// No usable home: cd_home then fails, so nothing is saved anywhere.
		home_path[0] = 0;
		return;
	}
	snprintf(home_path, PATHSIZE, "%s/%s", home, tvn_folder);
	// Only create the folder where HOME really is; a failed chdir must not
	// leave it inside the start folder.
	if (chdir(home) != 0)
		return;
	if (chdir(tvn_folder) != 0) {
		mkdir(tvn_folder, 0777);
		if (chdir(tvn_folder) != 0)
			return;
	}
}

int cd_home()
{
	return home_path[0] && chdir(home_path) == 0;
}

int cd_cwd()
{
	return cwd_path[0] && chdir(cwd_path) == 0;
}

void copystring(char *dest, const char *src, size_t capacity)
{
	if (capacity == 0)
		return;
	size_t n = 0;
	while (n + 1 < capacity && src[n]) {
		dest[n] = src[n];
		n++;
	}
	dest[n] = 0;
}

static int temppath(char *out, size_t capacity, const char *path)
{
	return snprintf(out, capacity, "%s.tmp", path) < (int)capacity;
}

int opensavefile(const char *path)
{
	char tmp[PATHSIZE + 8];
	fp = nullptr;
	if (!temppath(tmp, sizeof tmp, path))
		return 0;
	fp = fopen(tmp, "wb");
	return fp != nullptr;
}

int closesavefile(const char *path)
{
	char tmp[PATHSIZE + 8];
	if (!fp)
		return 0;
	int ok = fflush(fp) == 0 && !ferror(fp);
	ok = (fclose(fp) == 0) && ok;
	fp = nullptr;
	if (!temppath(tmp, sizeof tmp, path))
		return 0;
	if (ok && rename(tmp, path) == 0)
		return 1;
	remove(tmp);
	return 0;
}
