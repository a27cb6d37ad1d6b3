// Model textures are atlases of 4 x 4 cells; a model face names the cell it
// takes its texels from.
#pragma once

constexpr int ATLASSIZE = 128;
constexpr int ATLASCELLS = 4;

// Cell kinds a model texture is painted with.
enum atlaspaint {
	PAINTPLAIN,    // noisy solid colour
	PAINTSTRIPES,  // vertical ribs
	PAINTWINDOW,   // a dark pane in a frame
	PAINTRING,     // a disc with a hub, for wheel faces
	PAINTBARK,     // vertical streaks
	PAINTTILES,    // roof tiles or bricks
	PAINTROAD      // asphalt with a centre line
};

struct atlascell {
	int paint;
	float r, g, b;
};

// Paints a whole atlas of 16 cells into the picture (cell i at column
// i mod 4, row i div 4) and writes it as "texture/<name>.tga" and the
// half-size "texturelow/<name>.tga". Returns files that failed.
int writeatlas(const char *name, const atlascell cells[ATLASCELLS * ATLASCELLS], int seed);
