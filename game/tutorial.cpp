// The tutorial's record and hint texts. The lessons themselves are not
// written yet: no lesson ever becomes active, so the editor's per-frame
// calls have nothing to do.
#include "game/tutorial.h"

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

void checktutorial()
{
}

void renderlinkstutorial(float alpha)
{
}

void renderpointstutorial(float alpha)
{
}

void renderarrow()
{
}
