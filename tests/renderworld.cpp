#include "tests/renderworld.h"
#include "tests/testwindow.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "editor/editor.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/texture.h"
#include "platform/viewport.h"
#include "render/camera.h"
#include "render/proctex.h"
#include "render/renderframe.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/materials.h"
#include "world/simsetup.h"
#include "world/simulation.h"

int openrenderwindow()
{
	if (!opentestwindow(FRAMEWIDTH, FRAMEHEIGHT))
		return 0;
	setuprender();
	return 1;
}

void closerenderwindow()
{
	SDL_Quit();
}

static float terrainheight(float x, float z)
{
	float hills = 6.0f * sinf(x * 0.013f) * cosf(z * 0.011f) + 3.0f * sinf(z * 0.031f);
	if (x > VALLEYFROM && x < VALLEYTO) {
		// A smooth river valley between the banks.
		float t = (x - VALLEYFROM) / (VALLEYTO - VALLEYFROM);
		float dip = sinf(t * 3.14159265f);
		return BANKTOP + hills - (BANKTOP - RIVERBED + 6.0f) * dip;
	}
	return BANKTOP + hills;
}

// A slot filled with one colour plus a little pattern, uploaded.
static void filltexture(int slot, int size, int mipmapped, unsigned char r, unsigned char g,
	unsigned char b, unsigned char a, int radialalpha)
{
	unsigned char *p = allocatetexture(slot, size, size, mipmapped);
	for (int y = 0; y < size; y++)
		for (int x = 0; x < size; x++) {
			unsigned char *t = &p[(y * size + x) * 4];
			int shade = ((x ^ y) & 8) ? 0 : 12;
			t[0] = (unsigned char)(r > shade ? r - shade : 0);
			t[1] = (unsigned char)(g > shade ? g - shade : 0);
			t[2] = (unsigned char)(b > shade ? b - shade : 0);
			t[3] = a;
			if (radialalpha) {
				float dx = x - size / 2.0f, dy = y - size / 2.0f;
				float d = sqrtf(dx * dx + dy * dy) / (size / 2.0f);
				t[3] = (unsigned char)(d < 1.0f ? a * (1.0f - d) : 0);
			}
		}
	setuptexture(slot);
}

void setuprenderworld()
{
	memset(&level, 0, sizeof level);
	level.landscapewidth = LANDSCAPESIZE;
	level.landscapedepth = LANDSCAPESIZE;
	level.waterlevel = RIVERLEVEL;
	level.colorband[0] = {{0.55f, 0.5f, 0.35f}, 300.0f};
	level.colorband[1] = {{0.3f, 0.55f, 0.2f}, 315.0f};
	level.colorband[2] = {{0.25f, 0.5f, 0.2f}, 330.0f};
	level.colorband[3] = {{0.6f, 0.6f, 0.6f}, 400.0f};
	for (int k = 0; k < 10; k++)
		level.linkcolor[k] = {materialcolor[k][0], materialcolor[k][1], materialcolor[k][2]};
	for (int z = 0; z < LANDSCAPESIZE; z++)
		for (int x = 0; x < LANDSCAPESIZE; x++)
			landscape.height[z * LANDSCAPESIZE + x] = terrainheight(5.0f * x, 5.0f * z);
	setuplandscapenormals();
	setuplandscapetexture();

	setuplinkdata();
	setupparticledata();
	setupbonddata();
	editor.gridsize = 5.0f;

	filltexture(TEX_GROUND, 64, 0, 230, 230, 230, 255, 0);
	filltexture(TEX_DECK, 64, 0, 150, 140, 120, 255, 0);
	filltexture(TEX_CLOUD, 64, 0, 255, 255, 255, 255, 1);
	filltexture(TEX_WATERWAVE1, 64, 0, 255, 255, 255, 40, 0);
	filltexture(TEX_WATERWAVE2, 64, 0, 255, 255, 255, 40, 0);
	setupbondtextures();
	setupwatertextures();
	setupsuntexture();

	memset(&renderoptions, 0, sizeof renderoptions);
	numofpoints = 0;
	numoflinks = 0;
	memset(&sim, 0, sizeof sim);
	resetsim();
	sunangle = 0.5f;
	sunangle2 = 3.14159265f;
}

static int addpoint(int type, float x, float y, float z)
{
	point[numofpoints] = {type, {x, y, z}};
	return numofpoints++;
}

static void addlink(int a, int b, int type, int deck, int limit)
{
	if (numoflinks < limit)
		beam[numoflinks++] = {type, deck, a, b, 0};
}

void buildtestbridge(int links)
{
	numofpoints = 0;
	numoflinks = 0;
	int rows = links > 4000 ? 20 : 5;
	int columns = links / (8 * rows) + 2;
	if (columns > 100)
		columns = 100;
	float left = 0.5f * (VALLEYFROM + VALLEYTO) - 2.5f * columns;
	int first[2];
	for (int side = 0; side < 2; side++) {
		first[side] = numofpoints;
		float z = side ? PLANEBACK : PLANEFRONT;
		for (int r = 0; r < rows; r++)
			for (int c = 0; c <= columns; c++) {
				int anchor = r == 0 && (c == 0 || c == columns);
				addpoint(anchor ? 0 : 1, left + 5.0f * c, BANKTOP + 5.0f * r, z);
			}
	}
	auto at = [&](int side, int r, int c) { return first[side] + r * (columns + 1) + c; };
	for (int r = 0; r < rows; r++)
		for (int c = 0; c <= columns; c++) {
			for (int side = 0; side < 2; side++) {
				if (c < columns)
					addlink(at(side, r, c), at(side, r, c + 1), LINKSTEEL, r == 0, links);
				if (r + 1 < rows)
					addlink(at(side, r, c), at(side, r + 1, c), LINKIRON, 0, links);
				if (r + 1 < rows && c < columns) {
					addlink(at(side, r, c), at(side, r + 1, c + 1), LINKSTEEL, 0, links);
					addlink(at(side, r, c + 1), at(side, r + 1, c), LINKIRON, 0, links);
				}
			}
			addlink(at(0, r, c), at(1, r, c), LINKSTEEL + LINKTHIN, 0, links);
			if (c < columns)
				addlink(at(0, r, c), at(1, r, c + 1), LINKIRON + LINKTHIN, 0, links);
		}
	// More than a full lattice asks for: double the cross links.
	for (int r = 0; r < rows && numoflinks < links; r++)
		for (int c = 1; c <= columns && numoflinks < links; c++)
			addlink(at(0, r, c), at(1, r, c - 1), LINKIRON + LINKTHIN, 0, links);
	resetsim();
}

void setuprendercamera(float x, float y, float z, float distance, float pitch, float yaw)
{
	playernum = 0;
	player[0].target = {x, y, z};
	player[0].distance = distance;
	player[0].pitch = pitch;
	player[0].yaw = yaw;
	resetorientation(&player[0].axes);
	sim.followobject = -1;
	setupframe();
}

void drawtestframe()
{
	glClearColor(0, 0, 0, 0);
	if (renderoptions.shadows) {
		glStencilMask(255);
		glClearStencil(0);
		glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
		glStencilMask(0);
	} else {
		glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	}
	setupperspectiveviewport(0, 0, FRAMEWIDTH, FRAMEHEIGHT, 0.3f, 3000.0f);
	renderframe();
}

// With TV_RENDERSHOTS naming a folder, every frame read is also saved
// there with the game's screenshot, for a person to look at.
static void saveframe()
{
	const char *folder = getenv("TV_RENDERSHOTS");
	char here[4096];
	if (!folder || !getcwd(here, sizeof here) || chdir(folder) != 0)
		return;
	screenshot();
	if (chdir(here) != 0)
		return;
}

void readframe(unsigned char *rgb)
{
	static unsigned char rows[FRAMEWIDTH * FRAMEHEIGHT * 3];
	glPixelStorei(GL_PACK_ALIGNMENT, 1);
	glReadBuffer(GL_BACK);
	glReadPixels(0, 0, FRAMEWIDTH, FRAMEHEIGHT, GL_RGB, GL_UNSIGNED_BYTE, rows);
	for (int y = 0; y < FRAMEHEIGHT; y++)
		memcpy(&rgb[y * FRAMEWIDTH * 3], &rows[(FRAMEHEIGHT - 1 - y) * FRAMEWIDTH * 3],
			FRAMEWIDTH * 3);
	saveframe();
}

int projectpoint(const vector3 *p, float *sx, float *sy)
{
	// Eye space through the frame's axes, then the 90-degree frustum.
	vector3 d;
	subtractvectors(&d, p, &frame.position);
	float ex = dotproduct(&d, &frame.axes.v[0]);
	float ey = dotproduct(&d, &frame.axes.v[1]);
	float ez = dotproduct(&d, &frame.axes.v[2]);
	if (ez >= 0.0f)
		return 0;
	float aspect = (float)FRAMEHEIGHT / FRAMEWIDTH;
	float nx = ex / -ez, ny = ey / (-ez * aspect);
	*sx = (nx + 1.0f) * 0.5f * FRAMEWIDTH;
	*sy = (1.0f - ny) * 0.5f * FRAMEHEIGHT;
	return 1;
}
