// The tutorial: two stored lessons run in the bridge editor with the
// finished bridge drawn as a guide and a hint for each step.
#pragma once

#include "editor/editor.h"

constexpr int TUTORLESSONS = 4;
constexpr int TUTORSTEPS = 4;
constexpr int TUTORLINES = 3;

struct tutorialstruct {
	int active;            // 1 while a lesson runs
	int lesson;            // 0 to 3
	int step;              // 0 to 3; only grows while a lesson runs
	undostruct solution;   // the lesson's finished bridge
};

extern tutorialstruct tutorial;
// The three hint lines of each lesson and step.
extern const char *const tutortext[TUTORLESSONS][TUTORSTEPS][TUTORLINES];

// Once per editor frame while a lesson runs: advances the step.
void checktutorial();
// The solution as a faint guide, before the live bridge is drawn.
void renderlinkstutorial(float alpha);
void renderpointstutorial(float alpha);
// Arrows at the next places to click.
void renderarrow();
