// Textures computed in memory: material colours, water, sun disc, arrow.
#pragma once

void setupbondtextures();
void setupwatertextures();
void setupsuntexture();
void generatearrowtexture(int slot);

// The texels on their own, red, green, blue, alpha.
void suntexel(unsigned char out[4], int x, int y);
void arrowtexel(unsigned char out[4], int x, int y);
