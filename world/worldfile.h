// Field-by-field reading and writing of the world's binary files through
// the shared stream fp, and the file name rule shared by their loaders.
// Each call returns 1 when every element went through.
#pragma once

#include <cstddef>

#include "platform/vector.h"

int readints(int *values, size_t count);
int readfloats(float *values, size_t count);
int readvectors(vector3 *values, size_t count);
int readorientation(orientation *o);
// Reads a fixed text field and terminates it within its size, whatever the
// file held.
int readtext(char *text, size_t size);
// 1 when the stream is at its end: a file must hold nothing past its last field.
int atendoffile();

int writeints(const int *values, size_t count);
int writefloats(const float *values, size_t count);
int writevectors(const vector3 *values, size_t count);
int writeorientation(const orientation *o);
int writetext(const char *text, size_t size);

// A name that becomes a file name in the current folder: not empty, no "/",
// not "." or "..", and short enough for its extension.
int safefilename(const char *name);
// A safe file name that shows as it is in a list and in a shell: no "\\" and
// no control character.
int plainfilename(const char *name);
// A name saved as name + extension, as the player names levels, bridges and
// profiles (folders: extension ""): a plain file name that the folder
// listing gives back. Lists show a name up to its first dot, so it has
// none; and name + extension must be one that listedname keeps, which
// refuses a leading "<", a "*" anywhere but at the end (the pattern's star
// takes it for its own) and names too long with their extension.
int savednameallowed(const char *name, const char *extension);

// Fills out with folder-relative name + extension; 0 when the name is unsafe.
int buildfilename(char *out, size_t size, const char *name, const char *extension);

// Data folders ("object", "prop") are entered for one load or save; a loader
// changes back only when the change into the folder succeeded.
int enterfolder(const char *folder);
void leavefolder(int entered);
