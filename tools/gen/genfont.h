// The font image "font00.bmp" and the window icon "tvn.bmp".
#pragma once

// Renders the font from a TrueType file: 16 x 16 cells of 16 x 16 pixels,
// character c at column c mod 16 and row c div 16, the glyph's coverage in
// all three channels (the game takes red as alpha), cell 127 a solid block
// and the 32 x 32 pointer in the top-left corner. Returns files that failed.
// FONTFILE names the font the build found (set by the build).
int generatefont(const char *fontfile);
int generateicon();
