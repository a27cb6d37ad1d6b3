// Dragging the edit bars with the mouse, Ctrl and Shift.
#include "platform/editbar.h"
#include "platform/input.h"

#include <gtest/gtest.h>

#include <cstring>

class EditBars : public ::testing::Test {
protected:
	float value[3];
	void SetUp() override
	{
		memset(keyboard, 0, sizeof keyboard);
		memset(&mouse, 0, sizeof mouse);
		// The three colour bars as the screens lay them out.
		for (int n = 0; n < 3; n++) {
			value[n] = 0.5f;
			editbar[n] = {288, 32 + 64 * n, 256, 32, 1, 0, 0, &value[n]};
		}
		numofeditbars = 3;
	}
	void drag(int x, int y)
	{
		mouse.x = x;
		mouse.y = y;
		mouse.leftbutton = 1;
		checkeditbars();
	}
};

TEST_F(EditBars, ThePointerSetsTheValueAlongTheBar)
{
	drag(288, 32);
	EXPECT_EQ(value[0], 0.0f);
	drag(288 + 255, 32 + 31);
	EXPECT_EQ(value[0], 255.0f / 256.0f);
	drag(288 + 64, 40);
	EXPECT_EQ(value[0], 0.25f);
	EXPECT_EQ(value[1], 0.5f);
	EXPECT_EQ(value[2], 0.5f);

	// Just outside: right edge, below, left, above.
	const int outside[4][2] = {{288 + 256, 40}, {300, 64}, {287, 40}, {300, 31}};
	for (const int *xy : outside) {
		drag(xy[0], xy[1]);
		EXPECT_EQ(value[0], 0.25f);
	}

	// Without the button nothing changes, even over a bar.
	mouse.x = 288 + 128;
	mouse.y = 100;
	mouse.leftbutton = 0;
	checkeditbars();
	EXPECT_EQ(value[1], 0.5f);
	// Dragging on from the first bar onto the second moves only the second.
	drag(288 + 128, 100);
	EXPECT_EQ(value[1], 0.5f);
	drag(288 + 32, 100);
	EXPECT_EQ(value[0], 0.25f);
	EXPECT_EQ(value[1], 0.125f);
}

TEST_F(EditBars, CtrlSnapsToEighthsAndShiftMakesAGrey)
{
	keyboard[KEY_LCTRL] = 1;
	drag(288 + 243, 40);  // 0.949...
	EXPECT_EQ(value[0], 1.0f);
	drag(288 + 15, 40);   // 0.0586
	EXPECT_EQ(value[0], 0.0f);
	drag(288 + 90, 40);   // 0.3516
	EXPECT_EQ(value[0], 0.375f);

	keyboard[KEY_LCTRL] = 0;
	keyboard[KEY_LSHIFT] = 1;
	drag(288 + 192, 100);  // the green bar
	EXPECT_EQ(value[0], 0.75f);
	EXPECT_EQ(value[1], 0.75f);
	EXPECT_EQ(value[2], 0.75f);
}

TEST_F(EditBars, OddTablesAreHandledSafely)
{
	// Shift with a single bar: there are no others to write into.
	keyboard[KEY_LSHIFT] = 1;
	numofeditbars = 1;
	editbar[1].value = nullptr;
	drag(288 + 64, 40);
	EXPECT_EQ(value[0], 0.25f);
	EXPECT_EQ(value[1], 0.5f);

	// An unbound bar is skipped, Shift writes past it.
	numofeditbars = 3;
	drag(288 + 128, 100);
	EXPECT_EQ(value[1], 0.5f);
	drag(288 + 192, 160);
	EXPECT_EQ(value[0], 0.75f);
	EXPECT_EQ(value[2], 0.75f);

	// Empty bars never hold the pointer (no division by a zero width), and
	// a count beyond the table or below zero is cut to it.
	keyboard[KEY_LSHIFT] = 0;
	editbar[0].width = 0;
	drag(288, 40);
	EXPECT_EQ(value[0], 0.75f);
	numofeditbars = -1;
	drag(288 + 64, 160);
	EXPECT_EQ(value[2], 0.75f);
	numofeditbars = MAXEDITBARS + 5;
	for (int n = 3; n < MAXEDITBARS; n++)
		editbar[n] = {0, 0, 0, 0, 0, 0, 0, nullptr};
	drag(288 + 64, 160);
	EXPECT_EQ(value[2], 0.25f);
}
