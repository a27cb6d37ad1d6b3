// One whole text file in memory and a cursor over it, for key=value files.
#pragma once

constexpr int PARSERTEXTSIZE = 1048576;  // the file and its terminating zero
constexpr int PARSERTOKENSIZE = 256;

struct parserstruct {
	int pos;
	int len;
	char text[PARSERTEXTSIZE];
	char token[PARSERTOKENSIZE];
};

extern parserstruct parser;

// Loads at most PARSERTEXTSIZE - 1 bytes; a longer file is cut there, a
// missing one gives an empty text. The cursor goes to the start.
void loadtextfile(const char *path);
void resetparser();
int checkstring(const char *key);
// Moves past the first occurrence of key at or after the cursor; 0 when the
// key is missing or ends the text.
int findstring(const char *key);
// The next number at or after the cursor; a number longer than the token
// is read whole, from its first 255 characters. The scan forms return 0 and
// leave *value alone when no number follows (or a float is out of range);
// the get forms then give 0.
int scanint(int *value);
int scanfloat(float *value);
int getint();
float getfloat();
// The rest of the line, at most capacity - 1 characters.
void getstring(char *buffer, int capacity);
