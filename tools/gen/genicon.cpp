// The window icon: a red truss bridge over water between two banks.
#include "tools/gen/bmpfile.h"
#include "tools/gen/genfont.h"

#include <cstdlib>

constexpr int ICONSIZE = 32;

static unsigned char icon[ICONSIZE * ICONSIZE * 3];

static void iconpixel(int x, int y, int r, int g, int b)
{
	if (x < 0 || y < 0 || x >= ICONSIZE || y >= ICONSIZE)
		return;
	unsigned char *p = icon + (y * ICONSIZE + x) * 3;
	p[0] = static_cast<unsigned char>(r);
	p[1] = static_cast<unsigned char>(g);
	p[2] = static_cast<unsigned char>(b);
}

static void iconline(int x0, int y0, int x1, int y1, int r, int g, int b)
{
	int steps = abs(x1 - x0) > abs(y1 - y0) ? abs(x1 - x0) : abs(y1 - y0);
	for (int i = 0; i <= steps; i++) {
		int x = steps ? x0 + (x1 - x0) * i / steps : x0;
		int y = steps ? y0 + (y1 - y0) * i / steps : y0;
		iconpixel(x, y, r, g, b);
	}
}

int generateicon()
{
	for (int y = 0; y < ICONSIZE; y++) {
		for (int x = 0; x < ICONSIZE; x++) {
			int bank = x < 6 || x > 25;
			if (y >= 22 && bank)
				iconpixel(x, y, 96, 80, 48);       // earth
			else if (y >= 24)
				iconpixel(x, y, 40, 90, 170 + (x * 7 + y * 3) % 20);  // water
			else
				iconpixel(x, y, 150 + y * 3, 190 + y * 2, 240);       // sky
		}
	}
	// Deck, top chord and the diagonals of a Warren truss.
	const int red = 200, green = 40, blue = 30;
	iconline(3, 21, 28, 21, red, green, blue);
	iconline(3, 20, 28, 20, 60, 60, 60);
	iconline(7, 12, 24, 12, red, green, blue);
	iconline(3, 21, 7, 12, red, green, blue);
	iconline(28, 21, 24, 12, red, green, blue);
	for (int x = 7; x < 24; x += 6) {
		iconline(x, 12, x + 3, 21, red, green, blue);
		iconline(x + 3, 21, x + 6 < 24 ? x + 6 : 24, 12, red, green, blue);
	}
	return writebmp("tvn.bmp", icon, ICONSIZE, ICONSIZE, 3) ? 0 : 1;
}
