// The tutorial: two stored lessons run in the bridge editor with the
// finished bridge drawn as a guide and a hint for each step.
#pragma once

#include "editor/editor.h"
#include "platform/vector.h"

constexpr int TUTORLESSONS = 4;
constexpr int TUTORSTEPS = 4;
constexpr int TUTORLINES = 3;
constexpr int TUTORARROWS = 2;

struct tutorialstruct {
	int active;            // 1 while a lesson runs
	int lesson;            // 0 to 3
	int step;              // 0 to 3; only grows while a lesson runs
	undostruct solution;   // the lesson's finished bridge
};

extern tutorialstruct tutorial;
// The three hint lines of each lesson and step.
extern const char *const tutortext[TUTORLESSONS][TUTORSTEPS][TUTORLINES];
// Where the arrows of each lesson and step point; an x of 0 is no arrow.
extern const vector3 tutorarrow[TUTORLESSONS][TUTORSTEPS][TUTORARROWS];

// Headless (tvgamecore).

// Loads the lesson's level from "files"/"demo" in the start folder, keeps
// its stored bridge as the solution and leaves only the anchors to build
// on; the lesson then runs from step 0 on a level outside any map pack.
// Returns 0, with the level, the bridge and the tutorial as they were, when
// the lesson has no level or it cannot be loaded.
int loadlesson(int lesson);
// Once per editor frame while a lesson runs: advances the step, through
// several steps in one frame when their conditions already hold.
void checktutorial();

// Window side (tveditor).

// The solution as a faint guide, before the live bridge is drawn.
void renderlinkstutorial(float alpha);
void renderpointstutorial(float alpha);
// Arrows at the next places to click.
void renderarrow();
