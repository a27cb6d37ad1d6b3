#include "game/menufooter.h"

#include "platform/text.h"

void drawmenufooter(float red, float green, float blue)
{
	drawtext("Build a bridge between the anchors, then test it", 320 | ALIGNCENTER, 458, 10, red,
		green, blue, 1.0f);
	drawtext("Escape leaves every screen", 320 | ALIGNCENTER, 469, 8, red, green, blue, 1.0f);
}
