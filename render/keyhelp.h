// The help screens' key tables: a dim "Key"/"Function" head over rows of a
// key and what it does, 12 units apart.
#pragma once

// One row of a key table; a description of several lines continues on rows
// with an empty key.
struct helprow {
	const char *key;
	const char *text;
	int size;
};

// The camera keys every 3D screen shares, at the head of its table.
constexpr int CAMERAKEYROWS = 14;
extern const helprow camerakeys[CAMERAKEYROWS];

// A line of help in the settings' text colour times shade.
void drawhelpline(const char *text, int x, int y, int size, float shade);
// The "Key" and "Function" head at y.
void drawkeyheadings(int y);
// The rows from y down, keys at x 4 and descriptions at x 128.
void drawkeyrows(const helprow *rows, int count, int y);
