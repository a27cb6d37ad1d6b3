// Do-nothing versions of the window-side procedures that headless code
// calls. Tests and tools link this library (tvheadless) instead of the
// window library, so world code builds and runs without SDL or OpenGL.
#include "platform/texture.h"

void setuptexture(int slot)
{
}

void uploadtexture(int slot)
{
}
