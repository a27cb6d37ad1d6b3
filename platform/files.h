// Byte order, little-endian binary files, name lists and the two folders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

constexpr int PATHSIZE = 512;
constexpr int LISTSIZE = 1024;  // slots of a name list, the last one for the end mark
constexpr int NAMESIZE = 32;    // a name of at most 31 characters and its zero

typedef size_t (*freadfunc)(void *buffer, size_t size, size_t count, FILE *stream);
typedef size_t (*fwritefunc)(const void *buffer, size_t size, size_t count, FILE *stream);

extern int bigendian;
// Every binary field of every file goes through these two, so files are
// little-endian whatever the host. Both return the number of whole elements
// read or written, like fread and fwrite.
extern freadfunc fread2;
extern fwritefunc fwrite2;

extern FILE *fp;  // the one shared stream, open only inside one operation

extern char cwd_path[PATHSIZE];
extern char home_path[PATHSIZE];
extern char tvn_folder[30];

extern char filelist[LISTSIZE][NAMESIZE];
extern char dirlist[LISTSIZE][NAMESIZE];
extern char profilelist[LISTSIZE][NAMESIZE];

void checkbigendian();
size_t freadswap(void *buffer, size_t size, size_t count, FILE *stream);
size_t fwriteswap(const void *buffer, size_t size, size_t count, FILE *stream);
uint32_t swapbytes(int p1, int p2, int p3, int p4);

int comparestrings(const void *a, const void *b);
int checkfilespec(const char *pattern, const char *name);
// 1 when listfiles keeps an entry called name for pattern: shorter than 32
// characters, not beginning with "<", and matching the pattern.
int listedname(const char *pattern, const char *name);
// Fills list from the current folder with the names that match pattern,
// sorted, ended by an empty name. At most capacity - 1 names are kept; names
// longer than 31 characters are skipped, since a cut name could name another file.
void listfiles(const char *pattern, char list[][NAMESIZE], int folders, int capacity = LISTSIZE);

// The user's folder that get_paths makes the game's folder in: HOME, or
// without it (or when it is too long for the path buffers) the password
// database's entry; null when neither will do.
const char *findhome();
void get_paths();
// Both return 1 when the folder was entered; callers that would otherwise
// write into the wrong folder check it.
int cd_home();
int cd_cwd();

// Bounded copy that always terminates dest (capacity includes the zero).
void copystring(char *dest, const char *src, size_t capacity);

// Saves go to a temporary file beside the target and replace it by rename
// only when every write and the close succeeded, so a failed save never
// destroys the old file. opensavefile opens fp; closesavefile closes it and
// returns 1 when the target now holds the new file.
int opensavefile(const char *path);
int closesavefile(const char *path);
