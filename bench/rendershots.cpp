// Reference frames of the 3D view, written with the game's own screenshot
// into the current folder (scsht000.bmp on): the benchmark scenes and the
// same bridges from other cameras, suns and switches. A change meant to
// speed the frame up must leave every pixel as it was: run this in an empty
// folder before the change, then after it with that folder as argument,
// which compares each frame with the one of the same name there, reports
// the pixels that differ and exits with 1 when any do. Run through
// tests/window/withx.sh.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <cstring>

#include "platform/viewport.h"
#include "render/camera.h"
#include "render/landscapedraw.h"
#include "render/renderframe.h"
#include "tests/renderworld.h"
#include "world/level.h"

struct shotstruct {
	int links;
	float camera[6];  // target x, y, z, distance, pitch, yaw
	float sun[2];
	int lighting, shadows, reflections, showstress, internal;
};

static const shotstruct shots[] = {
	{0, {1300, 340, 1285, 100, 0.3f, 0.2f}, {0.5f, 3.14159265f}, 1, 1, 1, 0, 0},
	{2000, {1300, 340, 1285, 100, 0.3f, 0.2f}, {0.5f, 3.14159265f}, 1, 1, 1, 0, 0},
	{16384, {1300, 340, 1285, 100, 0.3f, 0.2f}, {0.5f, 3.14159265f}, 1, 1, 1, 0, 0},
	{2000, {1300, 310, 1285, 60, 0.05f, 0.9f}, {0.5f, 3.14159265f}, 1, 1, 1, 0, 0},
	{2000, {1300, 320, 1285, 140, 0.7f, -0.4f}, {0.9f, 2.2f}, 1, 1, 1, 0, 0},
	{2000, {1300, 330, 1285, 40, 0.1f, 1.57f}, {0.3f, 4.0f}, 1, 1, 1, 0, 1},
	{2000, {1300, 340, 1285, 250, 1.2f, 0.0f}, {1.3f, 0.7f}, 1, 1, 1, 0, 0},
	{2000, {1300, 305, 1285, 30, -0.2f, 2.8f}, {0.5f, 3.14159265f}, 1, 1, 1, 0, 0},
	{16384, {1250, 330, 1300, 70, 0.2f, -1.0f}, {0.6f, 2.6f}, 1, 1, 1, 0, 1},
	{16384, {1300, 290, 1285, 120, 0.4f, 0.6f}, {0.5f, 3.14159265f}, 1, 1, 0, 0, 0},
	{16384, {1300, 340, 1285, 100, 0.3f, 0.2f}, {0.5f, 3.14159265f}, 1, 0, 1, 0, 0},
	{2000, {1300, 340, 1285, 100, 0.3f, 0.2f}, {0.5f, 3.14159265f}, 1, 1, 1, 1, 0},
	{2000, {1300, 340, 1285, 100, 0.3f, 0.2f}, {2.0f, 3.14159265f}, 1, 1, 1, 0, 0},
	{2000, {1300, 285, 1285, 40, 0.2f, 0.3f}, {0.5f, 3.14159265f}, 1, 1, 1, 0, 0},
	{600, {1300, 300, 1285, 140, 0.7f, 0.3f}, {0.5f, 3.14159265f}, 1, 1, 0, 0, 0},
};

// Whole files, at most a 32-bit frame of the window's size and a header.
constexpr int MAXSHOTBYTES = 640 * 480 * 4 + 1024;
constexpr int BMPHEADER = 54;

static int readwhole(const char *name, unsigned char *out)
{
	FILE *file = fopen(name, "rb");
	if (!file)
		return -1;
	int n = (int)fread(out, 1, MAXSHOTBYTES, file);
	fclose(file);
	return n;
}

// Pixels (three bytes each past the header) that differ from the reference.
static int comparewithreference(const char *folder, int n)
{
	static unsigned char now[MAXSHOTBYTES], then[MAXSHOTBYTES];
	char name[32], path[4096];
	snprintf(name, sizeof name, "scsht%03d.bmp", n);
	snprintf(path, sizeof path, "%s/%s", folder, name);
	int a = readwhole(name, now), b = readwhole(path, then);
	if (a < BMPHEADER || a != b || memcmp(now, then, BMPHEADER) != 0) {
		printf("%s: missing or of another size\n", name);
		return 1;
	}
	int differ = 0;
	for (int k = BMPHEADER; k + 3 <= a; k += 3)
		differ += memcmp(&now[k], &then[k], 3) != 0;
	if (differ)
		printf("%s: %d pixels differ\n", name, differ);
	return differ;
}

int main(int argc, char **argv)
{
	const char *reference = argc > 1 ? argv[1] : nullptr;
	if (!openrenderwindow()) {
		fprintf(stderr, "no OpenGL window\n");
		return 1;
	}
	int count = (int)(sizeof shots / sizeof shots[0]);
	int failed = 0;
	for (int n = 0; n < count; n++) {
		const shotstruct *s = &shots[n];
		setuprenderworld();
		if (s->links)
			buildtestbridge(s->links);
		renderoptions.lighting = s->lighting;
		renderoptions.shadows = s->shadows;
		renderoptions.reflections = s->reflections;
		renderoptions.showstress = s->showstress;
		renderoptions.showinternalbonds = s->internal;
		renderoptions.detaillevel = 1;
		for (int k = 0; k < 4; k++)
			loddistance[k] = 120.0f * (k + 1);
		sunangle = s->sun[0];
		sunangle2 = s->sun[1];
		const float *c = s->camera;
		setuprendercamera(c[0], c[1], c[2], c[3], c[4], c[5]);
		// Twice, so that state left by a previous frame is part of the test.
		drawtestframe();
		SDL_GL_SwapBuffers();
		drawtestframe();
		glFinish();
		screenshot();
		SDL_GL_SwapBuffers();
		if (reference && comparewithreference(reference, n))
			failed = 1;
	}
	closerenderwindow();
	if (reference)
		printf("%s\n", failed ? "frames differ" : "all frames equal");
	return failed;
}
