// The object editor's edits of a vehicle type's physics: the default box,
// steering, selection, dragging and snapping in the views, and Load and
// Save through the world's object physics files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sys/stat.h>

#include "editor/planes.h"
#include "filelimit.h"
#include "leveleditor/objectedit.h"
#include "platform/input.h"
#include "tempfolder.h"
#include "world/objectphysics.h"

namespace {

objectphysicsstruct &scratch()
{
	return objectphysics[OBJECTEDITORTYPE];
}

void openeditor()
{
	memset(&scratch(), 0, sizeof scratch());
	memset(&objecteditor, 0, sizeof objecteditor);
	memset(keyboard, 0, sizeof keyboard);
	memset(&mouse, 0, sizeof mouse);
	memset(&prevmouse, 0, sizeof prevmouse);
	resetobjecteditor();
	followgrid();
}

// One frame of mouse work with the pointer moved from (px, py) to (x, y).
void mouseframe(int px, int py, int x, int y, int left, int right, int prevleft, int prevright)
{
	prevmouse = mouse;
	prevmouse.x = px;
	prevmouse.y = py;
	prevmouse.leftbutton = prevleft;
	prevmouse.rightbutton = prevright;
	mouse.x = x;
	mouse.y = y;
	mouse.leftbutton = left;
	mouse.rightbutton = right;
	mouse.rightreleased = prevright && !right;
	vector3 *items;
	int count = objecteditoritems(&items);
	checkeditorwindows(count, items, objecteditor.selected);
}

void click(int x, int y)
{
	mouseframe(x, y, x, y, 1, 0, 0, 0);
	mouseframe(x, y, x, y, 0, 0, 1, 0);
}

// The "Back" view: 192 pixels show 2 x 8 units at grid 0.5, so 12 pixels
// are one unit, from the centre (352, 144).
constexpr int BACKX = 352, BACKY = 144;

}  // namespace

TEST(ObjectEditor, DefaultBoxAndViews)
{
	scratch().numofwheels = 3;
	scratch().acceleration = 7.0f;
	openeditor();
	const objectphysicsstruct &p = scratch();
	EXPECT_FLOAT_EQ(p.mass, 10000.0f);
	const float corners[8][3] = {{-2, -2, -2}, {2, -2, -2}, {2, -2, 2}, {-2, -2, 2},
		{-2, 2, -2}, {2, 2, -2}, {2, 2, 2}, {-2, 2, 2}};
	for (int k = 0; k < 8; k++) {
		EXPECT_FLOAT_EQ(p.bodypoint[k].x, corners[k][0]);
		EXPECT_FLOAT_EQ(p.bodypoint[k].y, corners[k][1]);
		EXPECT_FLOAT_EQ(p.bodypoint[k].z, corners[k][2]);
	}
	EXPECT_FLOAT_EQ(p.wheelposition[2].z, 1.5f);
	EXPECT_FLOAT_EQ(p.wheelposition[0].z, -1.5f);
	EXPECT_EQ(p.steerwheel[0] + p.steerwheel[1], 2);
	EXPECT_EQ(p.steerwheel[2] + p.steerwheel[3], 0);
	EXPECT_FLOAT_EQ(p.extra[5], 1.0f);
	EXPECT_EQ(p.numofwheels, 0);  // wiped above: the box adds no wheels
	EXPECT_EQ(numofeditorwindows, 4);
	EXPECT_FLOAT_EQ(editorwindow[0].offset.y, 4.0f);
	EXPECT_FLOAT_EQ(editorwindow[0].distance, 8.0f);
	// The top view looks down: its back axis points up.
	EXPECT_NEAR(editorwindow[0].axis.v[2].y, 1.0f, 1e-6f);
	EXPECT_NEAR(editorwindow[2].axis.v[2].x, 1.0f, 1e-6f);
	EXPECT_FLOAT_EQ(editorwindow[3].distance, 16.0f);

	objecteditor.gridchoice = 4;
	followgrid();
	EXPECT_FLOAT_EQ(objecteditor.gridsize, 4.0f);
	EXPECT_FLOAT_EQ(editorwindow[1].offset.z, 32.0f);
	EXPECT_FLOAT_EQ(editorwindow[3].distance, 128.0f);
}

TEST(ObjectEditor, ClicksSelectAtAnyDepthShiftAddsAndAMissClears)
{
	openeditor();
	click(BACKX + 24, BACKY - 24);  // (2, 2): corners 5 and 6, front and back
	int expected[8] = {0, 0, 0, 0, 0, 1, 1, 0};
	for (int k = 0; k < 8; k++)
		EXPECT_EQ(objecteditor.selected[k], expected[k]) << k;
	keyboard[KEY_LSHIFT] = 1;
	click(BACKX - 24, BACKY + 24);  // (-2, -2): corners 0 and 3 added
	keyboard[KEY_LSHIFT] = 0;
	EXPECT_EQ(objecteditor.selected[0] + objecteditor.selected[3] + objecteditor.selected[5], 3);
	click(BACKX, BACKY);  // nothing on the axis: the selection is dropped
	for (int k = 0; k < 8; k++)
		EXPECT_EQ(objecteditor.selected[k], 0) << k;

	// Wheel mode shares the flags; "Steer" turns them into steering flags.
	objecteditor.mode = OBJECTMODE_WHEEL;
	scratch().numofwheels = 4;
	click(BACKX + 24, BACKY + 24);  // (2, -2): wheels 1 and 2
	EXPECT_EQ(objecteditor.selected[1] + objecteditor.selected[2], 2);
	setsteerwheels();
	EXPECT_EQ(scratch().steerwheel[0], 1);  // kept
	EXPECT_EQ(scratch().steerwheel[1], 1);
	EXPECT_EQ(scratch().steerwheel[2], 1);
	EXPECT_EQ(scratch().steerwheel[3], 0);
	EXPECT_EQ(objecteditor.selected[1] + objecteditor.selected[2], 0);
	// A damaged wheel count reaches no further than the four wheel records.
	scratch().numofwheels = 1000;
	vector3 *items;
	EXPECT_EQ(objecteditoritems(&items), 4);
}

TEST(ObjectEditor, RightDragsMoveTheSelectionAndSnapOnRelease)
{
	openeditor();
	click(BACKX + 24, BACKY - 24);
	// Three pixels right and six up while the right button is held.
	mouseframe(BACKX, BACKY, BACKX, BACKY, 0, 1, 0, 0);
	mouseframe(BACKX, BACKY, BACKX + 3, BACKY - 6, 0, 1, 0, 1);
	EXPECT_FLOAT_EQ(scratch().bodypoint[5].x, 2.25f);
	EXPECT_FLOAT_EQ(scratch().bodypoint[5].y, 2.5f);
	EXPECT_FLOAT_EQ(scratch().bodypoint[5].z, -2.0f);
	EXPECT_FLOAT_EQ(scratch().bodypoint[4].x, -2.0f);  // not selected
	mouseframe(BACKX + 3, BACKY - 6, BACKX + 3, BACKY - 6, 0, 0, 0, 1);
	EXPECT_FLOAT_EQ(scratch().bodypoint[5].x, 2.5f);  // nearest half unit
	EXPECT_FLOAT_EQ(scratch().bodypoint[6].x, 2.5f);
	EXPECT_FLOAT_EQ(scratch().bodypoint[6].z, 2.0f);

	// In the perspective view a drag turns the view and moves nothing.
	const int px = 352, py = 368;
	mouseframe(px, py, px, py, 0, 1, 0, 0);
	mouseframe(px, py, px + 40, py, 0, 1, 0, 1);
	EXPECT_FLOAT_EQ(scratch().bodypoint[5].x, 2.5f);
	const editorwindowstruct &w = editorwindow[3];
	EXPECT_GT(std::fabs(w.axis.v[2].x), 0.1f);
	followgrid();
	EXPECT_NEAR(vectorlength(&w.offset), 8.0f, 1e-4f);
	vector3 back;
	scalevector(&back, &w.axis.v[2], 8.0f);
	EXPECT_NEAR(w.offset.x, back.x, 1e-5f);
}

class ObjectFiles : public ::testing::Test {
protected:
	tempfolder folder;
	void SetUp() override
	{
		entertempfolder(&folder);
		mkdir("object", 0777);
		openeditor();
	}
	void TearDown() override { leavetempfolder(&folder); }
};

TEST_F(ObjectFiles, SaveAndLoadRoundTripAndRefuseOtherTypes)
{
	scratch().mass = 2500.0f;
	scratch().acceleration = 3.5f;
	scratch().maxspeed = 30.0f;
	scratch().numofwheels = 4;
	scratch().bodypoint[1].y = -3.0f;
	objecteditor.objectnum = 17;
	ASSERT_TRUE(saveobjecteditor());
	objectphysicsstruct saved = scratch();
	std::string file = readfile("object/object17.tvp");
	EXPECT_EQ(file.size(), (size_t)OBJECTPHYSICSFILESIZE);

	createeditorbox();
	memset(&objectphysics[17], 0, sizeof objectphysics[17]);
	ASSERT_TRUE(loadobjecteditor());
	EXPECT_EQ(memcmp(&scratch(), &saved, sizeof saved), 0);
	EXPECT_FLOAT_EQ(objectsize[17].clearance, 3.0f);
	// Save right after Load writes the same bytes.
	ASSERT_TRUE(saveobjecteditor());
	EXPECT_EQ(readfile("object/object17.tvp"), file);

	// The scratch entry and types past it are no file of their own, nor
	// are types from 100 on: type 117 would overwrite object17.tvp.
	scratch().mass = 1.0f;
	objectphysicsstruct edited = scratch();
	for (int type : {100, 117, 254, 255, 256, -1, 1000}) {
		objecteditor.objectnum = type;
		EXPECT_FALSE(saveobjecteditor()) << type;
		EXPECT_FALSE(loadobjecteditor()) << type;
	}
	EXPECT_EQ(memcmp(&scratch(), &edited, sizeof edited), 0);
	EXPECT_EQ(readfile("object/object17.tvp"), file);
	objecteditor.objectnum = 99;
	EXPECT_TRUE(saveobjecteditor());
}

// Vehicles are lifted by their type's clearance when they are shown and
// created; Save must bring it up to the box it wrote, not wait for a Load.
TEST_F(ObjectFiles, SaveRefreshesTheClearance)
{
	objecteditor.objectnum = 17;
	scratch().bodypoint[2].y = -3.0f;
	ASSERT_TRUE(saveobjecteditor());
	EXPECT_FLOAT_EQ(objectsize[17].clearance, 3.0f);
	for (vector3 &corner : scratch().bodypoint)
		corner.y = std::fmax(corner.y, 0.5f);
	ASSERT_TRUE(saveobjecteditor());
	EXPECT_FLOAT_EQ(objectsize[17].clearance, 0.0f);
}

// A Load that finds no file, or a damaged one, must not replace the box
// being edited with zeros or with a stale entry.
TEST_F(ObjectFiles, AFailedLoadKeepsTheEditedBox)
{
	scratch().mass = 1234.0f;
	scratch().bodypoint[3].x = 7.5f;
	objectphysicsstruct edited = scratch();
	objecteditor.objectnum = 42;  // never loaded, no file
	EXPECT_FALSE(loadobjecteditor());
	EXPECT_EQ(memcmp(&scratch(), &edited, sizeof edited), 0);
	writefile("object/object43.tvp", std::string(OBJECTPHYSICSFILESIZE - 4, '\0'));
	objecteditor.objectnum = 43;
	EXPECT_FALSE(loadobjecteditor());
	EXPECT_EQ(memcmp(&scratch(), &edited, sizeof edited), 0);
}

TEST_F(ObjectFiles, AFailedSaveKeepsTheOldFile)
{
	objecteditor.objectnum = 2;
	ASSERT_TRUE(saveobjecteditor());
	std::string before = readfile("object/object02.tvp");
	scratch().mass = 1.0f;
	EXPECT_FALSE(savewithfilelimit(100, [] { return saveobjecteditor(); }));
	EXPECT_EQ(readfile("object/object02.tvp"), before);
}
