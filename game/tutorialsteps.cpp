// The tutorial's lessons: their hint texts and arrows, the start of a
// lesson on its stored level, and the rules that move a lesson on.
#include "game/tutorial.h"

#include <cstring>

#include "editor/bridgeedit.h"
#include "editor/editor.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/worldfile.h"

tutorialstruct tutorial;

const char *const tutortext[TUTORLESSONS][TUTORSTEPS][TUTORLINES] = {
	{
		{"Left-click on an anchor point to begin", "editing", ""},
		{"Move the mouse and left-click again", "to add a link", ""},
		{"Now left-click here to add another", "link", ""},
		{"Complete the rest of the bridge and", "select Simulate to test, then select",
			"Run Test to send the cars across"},
	},
	{
		{"To begin build the four deck pieces", "between the lower two anchor points", ""},
		{"Now select Cable as your material and", "then click on this anchor point", ""},
		{"Add the links down to the deck, hold down", "the Y key to stay on your current point", ""},
		{"Complete the other side and your bridge", "will be ready to test", ""},
	},
	{
		{"To begin select Hydralc and add the", "links outlined in yellow", ""},
		{"Now select Steel and complete the rest", "of the bridge", ""},
		{"This point needs to be a connection joint", "Hold down J and left-click to change it", ""},
		{"Good job, finish the rest of the bridge", "and you're ready to test", ""},
	},
	{
		{"To begin select HvSteel and build the two", "towers", ""},
		{"Now select SuspCbl and add a link between", "these two points", ""},
		{"You can now adjust the curve of the cable", "move the mouse here and left-click to add",
			"the links"},
		{"Usually halfway between the original two", "points works good for the curve.  Add the",
			"other cables and the deck and you're done"},
	},
};

const vector3 tutorarrow[TUTORLESSONS][TUTORSTEPS][TUTORARROWS] = {
	{
		{{1250, 320, 1285}, {0, 0, 0}},
		{{1270, 320, 1285}, {0, 0, 0}},
		{{1260, 335, 1285}, {0, 0, 0}},
		{{0, 0, 0}, {0, 0, 0}},
	},
	{
		{{1240, 320, 1285}, {1320, 320, 1285}},
		{{1240, 360, 1285}, {0, 0, 0}},
		{{0, 0, 0}, {0, 0, 0}},
		{{0, 0, 0}, {0, 0, 0}},
	},
	{
		{{0, 0, 0}, {0, 0, 0}},
		{{0, 0, 0}, {0, 0, 0}},
		{{1280, 320, 1285}, {0, 0, 0}},
		{{0, 0, 0}, {0, 0, 0}},
	},
	{
		{{1190, 360, 1285}, {1370, 360, 1285}},
		{{1200, 360, 1285}, {1280, 330, 1285}},
		{{1240, 330, 1285}, {0, 0, 0}},
		{{0, 0, 0}, {0, 0, 0}},
	},
};

// The levels of the map pack "demo" that carry a lesson; lessons 2 and 3
// have their steps but no level.
static const char *const lessonlevel[TUTORLESSONS] = {"demo2", "demo4", nullptr, nullptr};

// The player builds from the anchors alone.
static void keepanchors()
{
	// From the end: a deletion moves the last point, already kept, into
	// the freed slot.
	for (int n = numofpoints - 1; n >= 0; n--) {
		if (point[n].type != POINTANCHOR)
			deletepoint(n);
	}
	numoflinks = 0;
}

static void keepsolution()
{
	undostruct *s = &tutorial.solution;
	int points = numofpoints < MAXPOINTS ? numofpoints : MAXPOINTS;
	int links = numoflinks < MAXLINKS ? numoflinks : MAXLINKS;
	s->numofpoints = (uint32_t)points;
	memcpy(s->point, point, (size_t)points * sizeof(pointstruct));
	s->numoflinks = (uint32_t)links;
	memcpy(s->beam, beam, (size_t)links * sizeof(beamstruct));
}

int loadlesson(int lesson)
{
	if (lesson < 0 || lesson >= TUTORLESSONS || !lessonlevel[lesson])
		return 0;
	// A lesson whose level is missing would run on whatever was loaded
	// before, so it does not start at all.
	int loaded = enterfolder("files") && enterfolder("demo") && loadlevel(lessonlevel[lesson], 0);
	cd_cwd();
	if (!loaded)
		return 0;
	tutorial.lesson = lesson;
	tutorial.step = 0;
	tutorial.active = 1;
	keepsolution();
	keepanchors();
	levelnum = -1;
	editor.autosave = 0;
	return 1;
}

static int selectedat(float x, float y)
{
	int s = editor.selectedpoint;
	return s >= 0 && s < numofpoints && point[s].position.x == x && point[s].position.y == y;
}

// Lesson 2's joint that has to become a drawbridge joint; -1 when absent,
// else its type.
static int jointtype()
{
	const vector3 at = {1280.0f, 320.0f, 1285.0f};
	int n = findpoint(&at);
	return n == -1 ? -1 : point[n].type;
}

// Whether the player has done what the step asks. The last step asks
// nothing: the lesson ends there.
static int stepdone(int lesson, int step)
{
	switch (lesson * TUTORSTEPS + step) {
	case 0 * TUTORSTEPS + 0:
		return editor.selectedpoint != -1;
	case 0 * TUTORSTEPS + 1:
		return numoflinks != 0;
	case 0 * TUTORSTEPS + 2:
		return numoflinks >= 3;
	case 1 * TUTORSTEPS + 0:
		return numoflinks >= 8;
	case 1 * TUTORSTEPS + 1:
		return editor.material == LINKCABLE && selectedat(1240.0f, 360.0f);
	case 1 * TUTORSTEPS + 2:
		return numoflinks >= 14;
	case 2 * TUTORSTEPS + 0:
		return numoflinks >= 8;
	case 2 * TUTORSTEPS + 1:
		return jointtype() != -1;
	case 2 * TUTORSTEPS + 2:
		return jointtype() == POINTDRAWBRIDGE;
	case 3 * TUTORSTEPS + 0:
		return numoflinks >= 44;
	case 3 * TUTORSTEPS + 1:
		return editor.editstate == 5;
	case 3 * TUTORSTEPS + 2:
		return editor.editstate != 5;
	}
	return 0;
}

void checktutorial()
{
	// Each test sees the step an earlier one may just have raised.
	for (int step = 0; step < TUTORSTEPS - 1; step++) {
		if (tutorial.step == step && stepdone(tutorial.lesson, step))
			tutorial.step++;
	}
}
