// A window and a world for the renderer's window tests and benchmarks: a
// 640x480 OpenGL window, a hilly landscape with a river valley, generated
// textures, a truss bridge of a chosen size and a camera.
#pragma once

#include "platform/vector.h"

constexpr int FRAMEWIDTH = 640;
constexpr int FRAMEHEIGHT = 480;
constexpr float VALLEYFROM = 1150.0f;  // world x of the valley's banks
constexpr float VALLEYTO = 1450.0f;
constexpr float BANKTOP = 320.0f;
constexpr float RIVERBED = 280.0f;
constexpr float RIVERLEVEL = 300.0f;
constexpr float PLANEFRONT = 1285.0f;
constexpr float PLANEBACK = 1275.0f;

// Opens the window with the game's attributes; 0 when there is no display.
int openrenderwindow();
void closerenderwindow();
// Level, landscape, materials and every texture the frame uses; an empty
// bridge and simulation. All render switches off.
void setuprenderworld();
// A truss across the valley with exactly links links (up to 16384): two
// lattices in the editing planes, cross links between them and decks along
// the bottom; the simulation is built from it.
void buildtestbridge(int links);
// The free camera looking at the target from distance, turned by pitch and
// yaw; sets frame.
void setuprendercamera(float x, float y, float z, float distance, float pitch, float yaw);
// Clears as the test screen does and draws one frame with renderframe.
void drawtestframe();
// The frame's pixels, top row first, RGB.
void readframe(unsigned char *rgb);
// Screen position (top-left origin) of a world point under the last frame's
// camera; 0 when it lies behind the camera.
int projectpoint(const vector3 *p, float *sx, float *sy);
