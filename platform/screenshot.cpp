// Saves the back buffer as a BMP file.
#include "platform/viewport.h"

#include "platform/input.h"

#include <GL/gl.h>
#include <cstdlib>

void screenshot()
{
	char name[16];
	if (!nextscreenshotname(name))
		return;
	int width = windowinfo.width;
	int height = windowinfo.height;
	// Sized to the window, whatever its size.
	unsigned char *pixels = static_cast<unsigned char *>(malloc((size_t)width * height * 4));
	if (!pixels)
		return;
	glReadBuffer(GL_BACK);
	glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
	writescreenshot(name, pixels, width, height);
	free(pixels);
}
