// Do-nothing versions of the window-side procedures that headless code
// calls. Tests and tools link this library (tvheadless) instead of the
// window library, so world code builds and runs without SDL or OpenGL.
#include "platform/text.h"
#include "platform/texture.h"

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
