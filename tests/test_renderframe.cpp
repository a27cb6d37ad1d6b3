// The 3D frame in a real window (Xvfb, Mesa): properties of the picture and
// the OpenGL state it leaves, not exact images.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <vector>

#include "editor/editor.h"
#include "editor/editordraw.h"
#include "platform/texture.h"
#include "platform/viewport.h"
#include "render/camera.h"
#include "render/landscapedraw.h"
#include "render/renderframe.h"
#include "tests/renderworld.h"
#include "world/bond.h"
#include "world/cdquad.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/model.h"
#include "world/particle.h"
#include "world/simulation.h"
#include "world/sprite.h"
#include "world/vehicle.h"

static std::vector<unsigned char> pixels(FRAMEWIDTH *FRAMEHEIGHT * 3);

class RenderFrame : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		if (!openrenderwindow())
			GTEST_FAIL() << "no OpenGL window";
	}
	static void TearDownTestSuite() { closerenderwindow(); }
	void SetUp() override { setuprenderworld(); }

	void draw()
	{
		drawtestframe();
		readframe(pixels.data());
	}
	const unsigned char *at(int x, int y) { return &pixels[(y * FRAMEWIDTH + x) * 3]; }
	const unsigned char *atpoint(const vector3 *p)
	{
		float sx, sy;
		EXPECT_TRUE(projectpoint(p, &sx, &sy));
		int x = (int)sx, y = (int)sy;
		EXPECT_TRUE(x >= 0 && x < FRAMEWIDTH && y >= 0 && y < FRAMEHEIGHT);
		x = x < 0 ? 0 : (x >= FRAMEWIDTH ? FRAMEWIDTH - 1 : x);
		y = y < 0 ? 0 : (y >= FRAMEHEIGHT ? FRAMEHEIGHT - 1 : y);
		return at(x, y);
	}
};

static int brightness(const unsigned char *p)
{
	return p[0] + p[1] + p[2];
}

static void expectcolor(const unsigned char *p, int r, int g, int b, int tolerance)
{
	EXPECT_NEAR(p[0], r, tolerance);
	EXPECT_NEAR(p[1], g, tolerance);
	EXPECT_NEAR(p[2], b, tolerance);
}

TEST_F(RenderFrame, SkyFillsTheTopRowsByDayAndIsBlackAtNight)
{
	setuprendercamera(1280, 360, 1285, 80, 0, 0);
	draw();
	for (int x = 0; x < FRAMEWIDTH; x += 37)
		expectcolor(at(x, 2), (int)(skycolor[0] * 255), (int)(skycolor[1] * 255),
			(int)(skycolor[2] * 255), 2);
	EXPECT_GT(at(320, 2)[2], 120);

	sunangle = 2.0f;  // below the horizon
	draw();
	for (int x = 0; x < FRAMEWIDTH; x += 37)
		expectcolor(at(x, 2), 0, 0, 0, 0);
}

// A white box 12 units across around its origin, with a white texture slot.
static void makeboxmodel(modelstruct *m, int slot)
{
	static float vertex[8 * 3];
	static int polygon[12 * 3];
	for (int k = 0; k < 8; k++) {
		vertex[3 * k] = k & 1 ? 6.0f : -6.0f;
		vertex[3 * k + 1] = k & 2 ? 6.0f : -6.0f;
		vertex[3 * k + 2] = k & 4 ? 6.0f : -6.0f;
	}
	static const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3},
		{0, 4, 6, 2}, {1, 3, 7, 5}};
	for (int f = 0; f < 6; f++) {
		const int t[6] = {faces[f][0], faces[f][1], faces[f][2], faces[f][0], faces[f][2],
			faces[f][3]};
		for (int k = 0; k < 6; k++)
			polygon[f * 6 + k] = t[k];
	}
	*m = {};
	m->numofvertices = 8;
	m->vertex = vertex;
	m->numofpolygons = 12;
	m->polygon = polygon;
	unsigned char *white = allocatetexture(slot, 1, 1, 0);
	memset(white, 255, 4);
	setuptexture(slot);
}

TEST_F(RenderFrame, WaterIsTintedAndMirrorsABrightObject)
{
	// A white box above the river.
	makeboxmodel(&propmodel[0], TEX_PROPMODEL);
	level.numofprops = 1;
	level.prop[0].model = 0;
	level.prop[0].position = {1300, RIVERLEVEL + 20, 1285};
	resetorientation(&level.prop[0].orientation);

	setuprendercamera(1300, RIVERLEVEL + 10, 1285, 120, 0.6f, 0);
	vector3 water = {1330, RIVERLEVEL, 1285};  // open water beside the box
	vector3 mirrored = {1300, RIVERLEVEL - 20, 1285};

	draw();
	const unsigned char *p = atpoint(&water);
	EXPECT_GT(p[2], p[0] + 20);  // blue over the river bed
	EXPECT_GT(p[2], p[1] + 10);
	int plain = brightness(atpoint(&mirrored));

	renderoptions.reflections = 1;
	draw();
	const unsigned char *r = atpoint(&mirrored);
	EXPECT_GT(brightness(r), plain + 150);
	EXPECT_GT(r[0], 100);
	p = atpoint(&water);
	EXPECT_GT(p[2], p[0]);  // still water-tinted where the sky is mirrored
	level.numofprops = 0;
	propmodel[0] = {};
}

TEST_F(RenderFrame, FollowedVehicleIsHiddenFromInsideButShowsInTheWater)
{
	const int boat = 40;
	makeboxmodel(&objectmodel[boat], TEX_OBJECTMODEL + boat);
	numofobjects = 1;
	object[0] = {};
	object[0].type = boat;
	object[0].position = {1300, RIVERLEVEL + 20, 1285};
	resetorientation(&object[0].orientation);
	level.numofprops = 1;
	level.prop[0].model = -1;  // a prop whose model is missing draws nothing
	renderoptions.reflections = 1;
	sim.followobject = 0;
	sim.cameramode = 0;
	playernum = 2;
	player[2] = {};
	player[2].pitch = -1.4f;  // looking down from inside the vehicle
	setupframe();
	draw();
	// Inside the box, yet the view is not white: the box itself is left out.
	EXPECT_LT(brightness(at(FRAMEWIDTH / 2, FRAMEHEIGHT / 4)), 500);
	vector3 mirrored = {1300, RIVERLEVEL - 20, 1285};
	EXPECT_GT(atpoint(&mirrored)[0], 100);  // its reflection is drawn

	sim.cameramode = 1;  // the chase view shows the vehicle
	player[2].distance = 40;
	player[2].pitch = 0.5f;
	setupframe();
	draw();
	vector3 centre = object[0].position;
	expectcolor(atpoint(&centre), 255, 255, 255, 2);
	numofobjects = 0;
	objectmodel[boat] = {};
	level.numofprops = 0;
}

TEST_F(RenderFrame, StressClassesShowTheirColoursAtTheBondMidpoint)
{
	numofparticles = 6;
	numofbonds = 3;
	for (int b = 0; b < 3; b++) {
		particle[2 * b] = {};
		particle[2 * b + 1] = {};
		particle[2 * b].position = {1270.0f + 10.0f * b, 345.0f, 1285};
		particle[2 * b + 1].position = {1270.0f + 10.0f * b, 375.0f, 1285};
		bond[b] = {};
		bond[b].particle1 = 2 * b;
		bond[b].particle2 = 2 * b + 1;
		bond[b].type = LINKHEAVYSTEEL;
	}
	bond[0].stress = 0.0f;
	bond[1].stress = 1.0f, bond[1].tension = 0;
	bond[2].stress = 1.0f, bond[2].tension = 1;
	renderoptions.showstress = 1;
	setuprendercamera(1280, 360, 1285, 30, 0, 0);
	draw();
	const int expected[3][3] = {{0, 255, 0}, {255, 0, 0}, {0, 0, 255}};
	for (int b = 0; b < 3; b++) {
		vector3 mid = {1270.0f + 10.0f * b, 360.0f, 1285};
		expectcolor(atpoint(&mid), expected[b][0], expected[b][1], expected[b][2], 3);
	}
	// The peak view reads the peaks instead.
	bond[0].peakstress = 1.0f, bond[0].peaktension = 1;
	renderoptions.showstressmax = 1;
	draw();
	vector3 mid = {1270.0f, 360.0f, 1285};
	expectcolor(atpoint(&mid), 0, 0, 255, 3);
}

TEST_F(RenderFrame, SmokeDarkensBySpriteLifeAndSprayBrightens)
{
	setuprendercamera(1280, 360, 1285, 80, -0.5f, 0);  // looking up at the sky
	draw();
	vector3 p;  // close ahead of the camera, so the sprite is large on screen
	scaleaddvectors(&p, &frame.position, &frame.axes.v[2], -6.0f);
	float sx, sy;
	ASSERT_TRUE(projectpoint(&p, &sx, &sy));
	int x = (int)sx, y = (int)sy;
	int sky[3] = {at(x, y)[0], at(x, y)[1], at(x, y)[2]};
	// The cloud texel at the sprite's centre: alpha of the generated cloud.
	float cloud = texture[TEX_CLOUD].pixels[(32 * 64 + 32) * 4 + 3] / 255.0f;

	numofsprites = 1;
	sprite[0] = {};
	sprite[0].type = SPRITE_SMOKE;
	sprite[0].position = p;
	sprite[0].timetolive = 60;
	draw();
	for (int k = 0; k < 3; k++)
		EXPECT_NEAR(at(x, y)[k], sky[k] * (1.0f - 0.5f * cloud), 3.0f);

	sprite[0].type = SPRITE_SPRAY;
	sprite[0].timetolive = 500;  // beyond 120 steps: full strength
	draw();
	for (int k = 0; k < 3; k++)
		EXPECT_NEAR(at(x, y)[k], std::min(255.0f, sky[k] + 255.0f * cloud), 3.0f);
	numofsprites = 0;
}

// Where the sun's ray through p meets the ground.
static vector3 shadowpoint(const vector3 *p)
{
	vector3 g = *p;
	for (int n = 0; n < 20; n++) {
		int x = (int)(g.x / 5.0f), z = (int)(g.z / 5.0f);
		float h = landscape.height[z * LANDSCAPESIZE + x];
		float t = (p->y - h) / sundirection[1];
		g.x = p->x - t * sundirection[0];
		g.y = h;
		g.z = p->z - t * sundirection[2];
	}
	return g;
}

TEST_F(RenderFrame, GroundIsDarkerUnderTheBridgeOnlyWithShadows)
{
	level.waterlevel = 200.0f;  // a dry valley
	buildtestbridge(600);
	renderoptions.lighting = 1;
	setuprendercamera(1300, 300, 1285, 140, 0.7f, 0.3f);
	setupsun();
	vector3 deck = {1300, BANKTOP, 1280};
	vector3 under = shadowpoint(&deck);
	vector3 away = {1300, 0, 1200};
	away = shadowpoint(&away);
	away.x -= 60.0f;

	draw();
	int lit = brightness(atpoint(&under));
	int litaway = brightness(atpoint(&away));
	renderoptions.shadows = 1;
	draw();
	EXPECT_LT(brightness(atpoint(&under)), lit * 3 / 4);
	EXPECT_NEAR(brightness(atpoint(&away)), litaway, 6);
}

TEST_F(RenderFrame, NoSkyShowsThroughTheTerrainBetweenDetailLevels)
{
	level.waterlevel = 0.0f;
	loddistance[0] = 40, loddistance[1] = 80, loddistance[2] = 120, loddistance[3] = 160;
	const float views[3][3] = {{0.25f, 0.0f, 1280}, {0.35f, 0.7f, 900}, {0.2f, -0.9f, 1700}};
	for (auto &v : views) {
		setuprendercamera(v[2], BANKTOP + 15, 1285, 60, v[0], v[1]);
		draw();
		int sky = 0;
		int r = (int)(skycolor[0] * 255), g = (int)(skycolor[1] * 255),
		    b = (int)(skycolor[2] * 255);
		for (int y = FRAMEHEIGHT / 2 + 40; y < FRAMEHEIGHT; y++)
			for (int x = 0; x < FRAMEWIDTH; x++) {
				const unsigned char *p = at(x, y);
				sky += std::abs(p[0] - r) <= 1 && std::abs(p[1] - g) <= 1 &&
					std::abs(p[2] - b) <= 1;
			}
		EXPECT_EQ(sky, 0) << "view " << v[2];
	}
	loddistance[0] = 120, loddistance[1] = 240, loddistance[2] = 360, loddistance[3] = 480;
}

static void expectcontract()
{
	EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
	EXPECT_TRUE(glIsEnabled(GL_BLEND));
	GLint src = 0, dst = 0, depthfunc = 0, unit = 0;
	glGetIntegerv(GL_BLEND_SRC, &src);
	glGetIntegerv(GL_BLEND_DST, &dst);
	EXPECT_EQ(src, GL_SRC_ALPHA);
	EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
	EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
	glGetIntegerv(GL_DEPTH_FUNC, &depthfunc);
	EXPECT_EQ(depthfunc, GL_LEQUAL);
	GLboolean depthwrites = GL_FALSE;
	glGetBooleanv(GL_DEPTH_WRITEMASK, &depthwrites);
	EXPECT_TRUE(depthwrites);
	EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
	EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
	EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
	EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
	glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
	EXPECT_EQ(unit, GL_TEXTURE0);
	glActiveTexture(GL_TEXTURE1);
	EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
	glActiveTexture(GL_TEXTURE0);
	EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(RenderFrame, EveryOptionOnLeavesTheContractedStateWithoutErrors)
{
	buildtestbridge(800);
	renderoptions.lighting = 1;
	renderoptions.shadows = 1;
	renderoptions.reflections = 1;
	renderoptions.showparticles = 1;
	setuprendercamera(1300, 320, 1285, 100, 0.4f, 0.2f);
	while (glGetError() != GL_NO_ERROR) {
	}
	draw();
	expectcontract();
	renderoptions.showstress = 1;
	sunangle = 1.9f;  // night: no volumes, glows on
	draw();
	expectcontract();
	setuprendercamera(1300, RIVERLEVEL - 30, 1285, 20, 0, 0);  // under water
	draw();
	expectcontract();
}

TEST_F(RenderFrame, WithoutEightStencilBitsShadowsAndReflectionsAreLeftOut)
{
	buildtestbridge(300);
	renderoptions.lighting = 1;
	setuprendercamera(1300, 320, 1285, 100, 0.4f, 0.2f);
	draw();
	std::vector<unsigned char> plain = pixels;
	int saved = stencilbits;
	stencilbits = 4;
	renderoptions.shadows = 1;
	renderoptions.reflections = 1;
	draw();
	stencilbits = saved;
	EXPECT_EQ(memcmp(plain.data(), pixels.data(), pixels.size()), 0);
	expectcontract();
}

// The editor's 3D view as the editor draws it, without the landscape.
static void draweditor()
{
	glClearColor(0, 0, 0, 0);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	setupperspectiveviewport(0, 0, FRAMEWIDTH, FRAMEHEIGHT, 0.3f, 3000.0f);
	setupviewpoint(&frame.position, &frame.axes);
	glEnable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glEnable(GL_DEPTH_TEST);
	glDepthFunc(GL_LEQUAL);
	renderlinks(1.0f);
	renderpoints(1.0f);
	rendergrid(0, PLANEFRONT, 1, 1, 1, 0.25f);
	rendereditarea();
}

TEST_F(RenderFrame, EditorMarkersRoadsAndSelectionBox)
{
	setuppointrender();
	editor.gridsize = 5.0f;
	editor.selectstart = {0, 0, 0};
	numofpoints = 0;
	numoflinks = 0;
	// A deck piece: front side 0-1, back side 2-3, and a front deck link 4-5
	// whose back partner is missing.
	const float px[6] = {1270, 1290, 1270, 1290, 1300, 1320};
	const float pz[6] = {PLANEFRONT, PLANEFRONT, PLANEBACK, PLANEBACK, PLANEFRONT, PLANEFRONT};
	for (int k = 0; k < 6; k++)
		point[numofpoints++] = {1, {px[k], 360.0f, pz[k]}};
	beam[numoflinks++] = {LINKSTEEL, 1, 0, 1, 0};
	beam[numoflinks++] = {LINKSTEEL, 1, 2, 3, 0};
	beam[numoflinks++] = {LINKSTEEL, 1, 4, 5, 0};
	editor.hoverpoint = 0;
	editor.hovermirrorpoint = -1;
	setuprendercamera(1295, 360, 1285, 40, 0.6f, 0);
	draweditor();
	readframe(pixels.data());

	// The road between the two sides of the deck piece, none beside the lone
	// link; the grid's backing lies in front of both and darkens by a quarter.
	vector3 road = {1280, 360, 1280}, noroad = {1310, 360, 1280};
	expectcolor(atpoint(&road), 48, 48, 48, 4);
	EXPECT_LT(brightness(atpoint(&noroad)), 60);
	// The hovered joint is brighter than a plain one and larger.
	vector3 hovered = point[0].position, plain = point[1].position;
	EXPECT_GT(brightness(atpoint(&hovered)), brightness(atpoint(&plain)) + 100);
	hovered.x += 2.15f;
	plain.x += 2.15f;
	EXPECT_GT(brightness(atpoint(&hovered)), brightness(atpoint(&plain)) + 100);

	// A selection box 2 units across is not drawn; 2.5 units across is.
	vector3 inside = {1301, 371, PLANEFRONT + 0.75f};
	int before = brightness(atpoint(&inside));
	editor.selectstart = {1300, 370, PLANEFRONT};
	editor.selectend = {1302, 370, PLANEFRONT};
	draweditor();
	readframe(pixels.data());
	EXPECT_EQ(brightness(atpoint(&inside)), before);
	editor.selectend = {1302.5f, 372.5f, PLANEFRONT};
	draweditor();
	readframe(pixels.data());
	EXPECT_GT(brightness(atpoint(&inside)), before + 30);
	expectcontract();
}
