// Dragging the edit bars.
#include "platform/editbar.h"

#include "platform/input.h"
#include "platform/vector.h"

editbarstruct editbar[MAXEDITBARS];
int numofeditbars;

static int countbars()
{
	if (numofeditbars < 0)
		return 0;
	return numofeditbars < MAXEDITBARS ? numofeditbars : MAXEDITBARS;
}

static int underpointer(const editbarstruct *bar)
{
	return mouse.x >= bar->x && mouse.x < bar->x + bar->width && mouse.y >= bar->y &&
		mouse.y < bar->y + bar->height;
}

// Shift makes the colour a grey: the three colour bars take one value.
// Only bars that exist and are bound are written.
static void copytocolorbars(float value, int count)
{
	for (int n = 0; n < 3 && n < count; n++) {
		if (editbar[n].value)
			*editbar[n].value = value;
	}
}

void checkeditbars()
{
	// The held button, not a click, so that dragging keeps working.
	if (!mouse.leftbutton)
		return;
	int count = countbars();
	for (int n = 0; n < count; n++) {
		editbarstruct *bar = &editbar[n];
		// An empty rectangle never holds the pointer, so width is at least 1.
		if (!bar->value || !underpointer(bar))
			continue;
		float value = static_cast<float>(mouse.x - bar->x) / static_cast<float>(bar->width);
		if (keyboard[KEY_LCTRL])
			value = roundnumber(value, 0.125f);
		*bar->value = value;
		if (keyboard[KEY_LSHIFT])
			copytocolorbars(value, count);
	}
}
