// Reading and writing one key=value line of a settings file. The readers
// search the text loaded by loadtextfile; the writers append to fp.
#pragma once

// Each reader leaves the target unchanged when the key or its value is
// missing and returns 0 then, 1 when it stored a value. Either way the next
// key is searched from the start of the text.
int optionreadint(int *target, const char *key);
int optionreadfloat(float *target, const char *key);
int optionreadstring(char *target, const char *key, int capacity);

// A line of key, value and CR LF, with no blanks; floats with six decimals.
void optionwriteint(const int *value, const char *key);
void optionwritefloat(const float *value, const char *key);
void optionwritestring(const char *value, const char *key, int length);
