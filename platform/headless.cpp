// Do-nothing versions of the window-side procedures that headless code
// calls. Tests and tools link this library (tvheadless) instead of the
// window library, so world code builds and runs without SDL or OpenGL.
#include "platform/clipboard.h"
#include "platform/text.h"
#include "platform/texture.h"
#include "world/level.h"
#include "world/simulation.h"
#include "world/soundevents.h"
#include "world/vehicle.h"

void setuptexture(int slot)
{
}

void uploadtexture(int slot)
{
}

// Headless loaders still fill their slots, so the pixels can be checked.
void loadtexturetga(int slot, const char *filename, int mipmapped, int lowdetail)
{
	readtexturefile(slot, filename, mipmapped, lowdetail);
}

void loadfont()
{
	readfont();
}

// The "Loading..." frame of loadlevel.
void drawloadingframe()
{
}

// The simulation's sounds and camera shake.
void playsound(int id, const vector3 *position, const vector3 *velocity, int looping,
	float gain, float pitch)
{
}

void deletesound(int index)
{
}

void stopsounds(int id)
{
}

void stopallsounds()
{
}

void rebindsounds(int from, int to)
{
}

void shakecameratarget(const vector3 *delta)
{
}

void renumbercameraobjects(int n, int last)
{
}

int getclipboard(char **buffer)
{
	return 0;
}
