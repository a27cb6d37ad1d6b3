#include "tools/gen/clickreplay.h"

#include <SDL/SDL_keysym.h>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "editor/cost.h"
#include "editor/editcycle.h"
#include "editor/editor.h"
#include "editor/editorframe.h"
#include "editor/planes.h"
#include "game/tutorial.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "render/camera.h"
#include "world/level.h"

constexpr int LEFTBUTTON = 1;   // SDL's button mask bits
constexpr int RIGHTBUTTON = 4;

// A corner of the editing window that no demo bridge comes near: a right
// click there selects, hovers and highlights nothing.
constexpr int EMPTYX = 20;
constexpr int EMPTYY = 24;

constexpr int WORDSIZE = 32;

static const struct {
	const char *word;
	int key;
} materialkeys[] = {
	{"iron", SDLK_1}, {"steel", SDLK_2}, {"cable", SDLK_3},
	{"suspension", SDLK_4}, {"heavy", SDLK_5}, {"hydraulic", SDLK_6},
};

// One editor frame in the screen's order, with the polling replaced by the
// hand's keys and mouse already in place.
static void playframe()
{
	createeditoritems();
	checkmenuitems();
	if (tutorial.active)
		checktutorial();
	editormoderules();
	editordirectkeys();
	framefromplayer(&frame, &player[playernum]);
	int inside = editundermouse();
	keepeditundermouse(inside, calculatebridgecost(1));
}

// The hand for the next frame: what was held goes into the previous
// snapshots, as the pollers do.
static void movehand(int x, int y, int buttons)
{
	memcpy(prevkeyboard, keyboard, KEYCOUNT);
	prevmouse = mouse;
	mouse.x = x;
	mouse.y = y;
	setmousebuttons(&mouse, &prevmouse, (uint32_t)buttons);
}

static void pressbuttons(int buttons)
{
	movehand(mouse.x, mouse.y, buttons);
	playframe();
	movehand(mouse.x, mouse.y, 0);
	playframe();
}

static void presskey(int key)
{
	movehand(mouse.x, mouse.y, 0);
	keyboard[key] = 1;
	playframe();
	movehand(mouse.x, mouse.y, 0);
	keyboard[key] = 0;
	playframe();
}

static int clampint(int v, int low, int high)
{
	return v < low ? low : v > high ? high : v;
}

int viewpixel(float x, float y, float *px, float *py)
{
	framefromplayer(&frame, &player[playernum]);
	vector3 target = {x, y, editor.planepoint.z}, d;
	subtractvectors(&d, &target, &frame.position);
	float ahead = -dotproduct(&d, &frame.axes.v[2]);
	if (!(ahead > 0.0f))
		return 0;
	const editorwindowstruct *w = &editorwindow[0];
	float hw = (float)(w->width / 2), hh = (float)(w->height / 2);
	*px = w->x + hw + dotproduct(&d, &frame.axes.v[0]) / ahead * hw;
	*py = w->y + hh - dotproduct(&d, &frame.axes.v[1]) / ahead * hw;
	return 1;
}

// The pixel of the editing window under which the plane point (x, y) lies,
// kept inside the window; 0 when the point is not in front of the eye.
static int pixelof(float x, float y, int *mx, int *my)
{
	float px, py;
	if (!viewpixel(x, y, &px, &py))
		return 0;
	const editorwindowstruct *w = &editorwindow[0];
	*mx = clampint((int)lroundf(px), w->x + WINDOWMARGIN, w->x + w->width - 1);
	*my = clampint((int)lroundf(py), w->y, w->y + w->height - 1);
	return 1;
}

// Whether the cursor at the mouse lands on (x, y) once snapped to the grid.
static int cursoron(float x, float y)
{
	float mousexy[2];
	vector3 hit;
	if (!mouseovereditorwindow(0, mousexy) || !editplanehit(&hit, &frame.position, &frame.axes, mousexy))
		return 0;
	snapeditpoint(&hit);
	return hit.x == x && hit.y == y;
}

// Returns 1 when the point could be clicked.
static int leftclick(float x, float y)
{
	int mx, my;
	if (!pixelof(x, y, &mx, &my))
		return 0;
	movehand(mx, my, 0);
	playframe();
	if (!cursoron(x, y))
		return 0;
	pressbuttons(LEFTBUTTON);
	return 1;
}

// Returns 1 when nothing was deleted.
static int rightclick()
{
	int points = numofpoints, links = numoflinks;
	movehand(EMPTYX, EMPTYY, 0);
	playframe();
	pressbuttons(RIGHTBUTTON);
	return numofpoints == points && numoflinks == links;
}

static int materialkey(const char *word)
{
	for (const auto &m : materialkeys) {
		if (!strcmp(word, m.word))
			return m.key;
	}
	return 0;
}

// Plays one word; returns 1 when it could be played.
static int playword(const char *word, clicktally *tally)
{
	float x, y;
	char end;
	if (sscanf(word, "%f,%f%c", &x, &y, &end) == 2) {
		tally->leftclicks++;
		return leftclick(x, y);
	}
	if (!strcmp(word, "|")) {
		tally->rightclicks++;
		return rightclick();
	}
	int key = materialkey(word);
	if (!strcmp(word, "j"))
		key = SDLK_j;
	if (key) {
		tally->keys++;
		presskey(key);
		return 1;
	}
	if (!strcmp(word, "+y") || !strcmp(word, "-y")) {
		tally->keys += word[0] == '+';
		movehand(mouse.x, mouse.y, 0);
		keyboard[SDLK_y] = word[0] == '+';
		playframe();
		return 1;
	}
	return 0;
}

// Copies the next word of a script into word; returns its length in the
// script (0 at the end), or -1 for a word too long to hold.
static int nextword(const char **script, char word[WORDSIZE])
{
	while (**script == ' ')
		(*script)++;
	size_t n = strcspn(*script, " ");
	const char *start = *script;
	*script += n;
	if (n >= WORDSIZE)
		return -1;
	memcpy(word, start, n);
	word[n] = 0;
	return (int)n;
}

int scriptpoints(const char *script, float xy[][2], int max)
{
	int n = 0, len;
	char word[WORDSIZE], end;
	while ((len = nextword(&script, word)) != 0) {
		if (len > 0 && n < max && sscanf(word, "%f,%f%c", &xy[n][0], &xy[n][1], &end) == 2)
			n++;
	}
	return n;
}

int replayclicks(const char *script, clicktally *tally)
{
	clicktally counted = {};
	memset(keyboard, 0, sizeof keyboard);
	memset(&mouse, 0, sizeof mouse);
	setdefaultsavedsettings();
	reseteditstate();
	entereditor();
	movehand(EMPTYX, EMPTYY, 0);
	playframe();
	int failed = 0, len;
	char word[WORDSIZE];
	while ((len = nextword(&script, word)) != 0)
		failed += len < 0 || !playword(word, &counted);
	movehand(EMPTYX, EMPTYY, 0);
	playframe();
	resetmenuitems();
	if (tally)
		*tally = counted;
	return failed;
}
