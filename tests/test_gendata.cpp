// The generated start folder: every file loads through the game's own
// loaders, textures tile, engine sounds loop cleanly, models are closed
// solids that fit their physics, and the demo pack has what it promises.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ftw.h>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "editor/cost.h"
#include "editor/editor.h"
#include "platform/texture.h"
#include "render/backdrop.h"
#include "tests/gendatafolder.h"
#include "world/landscape.h"
#include "world/level.h"
#include "world/mappack.h"
#include "world/materials.h"
#include "world/model.h"
#include "world/objectphysics.h"

namespace {

const char *const vehiclemodels[] = {"steam", "bxblue", "hatchbck", "wheel", "tire", "track", "road2"};
const char *const soundfiles[16] = {"steameng.wav", "horndsl.wav", "careng.wav", "lnkbrkst.wav",
	"horncrg.wav", "cargoeng.wav", "dbjnt.wav", "dblnk.wav", "crash.wav", "diesleng.wav",
	"cablebrk.wav", "click.wav", "unclick.wav", "splash.wav", "splash2.wav", "splash3.wav"};
const char *const loopingsounds[] = {"steameng.wav", "careng.wav", "cargoeng.wav", "diesleng.wav", "dblnk.wav"};
const int SCRATCHSLOT = 300;

int fileexists(const std::string &path)
{
	struct stat st;
	return stat((std::string(generatedstartfolder()) + "/" + path).c_str(), &st) == 0;
}

int ispoweroftwo(int n)
{
	return n > 0 && (n & (n - 1)) == 0;
}

// Mean difference between neighbouring texels across the wrap seam, over
// the mean difference between neighbours inside the image; near 1 for a
// texture that tiles, large where a seam shows.
float seamratio(int slot)
{
	const texturestruct *t = &texture[slot];
	double inside = 0.0, seam = 0.0;
	for (int y = 0; y < t->height; y++) {
		for (int x = 0; x < t->width; x++) {
			const unsigned char *p = &t->pixels[(y * t->width + x) * 4];
			const unsigned char *right = &t->pixels[(y * t->width + (x + 1) % t->width) * 4];
			const unsigned char *down = &t->pixels[(((y + 1) % t->height) * t->width + x) * 4];
			double d = 0.0;
			for (int c = 0; c < 3; c++)
				d += fabs((double)p[c] - right[c]) + fabs((double)p[c] - down[c]);
			if (x == t->width - 1 || y == t->height - 1)
				seam += d;
			else
				inside += d;
		}
	}
	double seamcount = t->width + t->height - 1;
	double insidecount = (double)t->width * t->height - seamcount;
	return (float)((seam / seamcount) / (inside / insidecount + 1e-9));
}

float height(int x, int z)
{
	return landscape.height[z * level.landscapewidth + x];
}

}  // namespace

TEST(GeneratedData, EveryFileIsWritten)
{
	ASSERT_EQ(generationfailures(), 0);
	for (const char *name : vehiclemodels) {
		EXPECT_TRUE(fileexists(std::string("object/") + name + ".tvo")) << name;
		EXPECT_TRUE(fileexists(std::string("texture/") + name + ".tga")) << name;
		EXPECT_TRUE(fileexists(std::string("texturelow/") + name + ".tga")) << name;
	}
	for (const char *name : {"object00.tvp", "object05.tvp", "object17.tvp"})
		EXPECT_TRUE(fileexists(std::string("object/") + name)) << name;
	for (const char *name : soundfiles)
		EXPECT_TRUE(fileexists(std::string("sound/") + name)) << name;
	for (const char *name : {"splashblack.bmp", "title.bmp", "bgtitle.bmp", "tile.bmp"})
		EXPECT_TRUE(fileexists(std::string("texture/") + name)) << name;
	EXPECT_TRUE(fileexists("files/demo.tvm"));
}

namespace {

const char *comparedfolder;
int differing;
int compared;

std::string readwhole(const char *path)
{
	std::string bytes;
	FILE *f = fopen(path, "rb");
	if (!f)
		return "missing";
	char buffer[65536];
	size_t n;
	while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
		bytes.append(buffer, n);
	fclose(f);
	return bytes;
}

int comparefile(const char *path, const struct stat *, int kind, struct FTW *)
{
	if (kind != FTW_F)
		return 0;
	std::string relative = path + strlen(generatedstartfolder());
	std::string twin = std::string(comparedfolder) + relative;
	compared++;
	if (readwhole(path) != readwhole(twin.c_str())) {
		differing++;
		ADD_FAILURE() << relative << " differs between two runs";
	}
	return 0;
}

}  // namespace

TEST(GeneratedData, EveryRunWritesTheSameBytes)
{
	char second[] = "/tmp/tvgendataXXXXXX";
	ASSERT_TRUE(mkdtemp(second));
	char here[PATHSIZE];
	ASSERT_TRUE(getcwd(here, sizeof here));
	ASSERT_EQ(chdir(second), 0);
	int failed = generateeverything();
	ASSERT_EQ(chdir(here), 0);
	EXPECT_EQ(failed, 0);
	comparedfolder = second;
	nftw(generatedstartfolder(), comparefile, 16, FTW_PHYS);
	removefolder(second);
	EXPECT_GT(compared, 50);
	EXPECT_EQ(differing, 0);
}

TEST(GeneratedData, TexturesAreSquarePowersOfTwoWithAlphaWhereBlended)
{
	struct expectation {
		const char *name;
		int lowdetail;  // also read from the low-detail folder
		int alpha;      // some texels are see-through
		int tiles;      // repeated over surfaces, so no seam may show
	};
	const expectation all[] = {
		{"ground.tga", 1, 0, 1}, {"deck.tga", 0, 0, 1}, {"cloud.tga", 0, 1, 0},
		{"sphere.tga", 0, 1, 0}, {"water1a.tga", 1, 1, 1}, {"water2a.tga", 1, 1, 1},
	};
	enterstartfolder(nullptr);
	for (const expectation &e : all) {
		for (int low = 0; low <= e.lowdetail; low++) {
			ASSERT_EQ(readtexturefile(SCRATCHSLOT, e.name, 0, low), 1) << e.name << " low " << low;
			const texturestruct *t = &texture[SCRATCHSLOT];
			EXPECT_EQ(t->width, t->height) << e.name;
			EXPECT_TRUE(ispoweroftwo(t->width)) << e.name;
			int seethrough = 0;
			for (int i = 0; i < t->width * t->height; i++)
				seethrough += t->pixels[i * 4 + 3] < 255;
			EXPECT_EQ(seethrough > 0, e.alpha != 0) << e.name;
			if (e.tiles) {
				EXPECT_LT(seamratio(SCRATCHSLOT), 2.0f) << e.name << " low " << low;
			}
		}
	}
	// Model textures come from either folder, by the detail setting.
	for (const char *name : vehiclemodels) {
		for (int low = 0; low <= 1; low++) {
			std::string file = std::string(name) + ".tga";
			ASSERT_EQ(readtexturefile(SCRATCHSLOT, file.c_str(), 1, low), 1) << file;
			EXPECT_EQ(texture[SCRATCHSLOT].width, texture[SCRATCHSLOT].height);
			EXPECT_TRUE(ispoweroftwo(texture[SCRATCHSLOT].width));
		}
	}
	leavestartfolder();
}

TEST(GeneratedData, BackdropsFillTheirTiles)
{
	enterstartfolder(nullptr);
	for (const char *name : {"splashblack.bmp", "title.bmp", "bgtitle.bmp"}) {
		for (int i = 0; i < 20; i++)
			texture[TEX_SPLASH + i].width = 0;
		loadsplash(name, TEX_SPLASH);
		long lit = 0;
		for (int i = 0; i < 20; i++) {
			const texturestruct *t = &texture[TEX_SPLASH + i];
			ASSERT_EQ(t->width, 128) << name << " tile " << i;
			ASSERT_EQ(t->height, 128);
			for (int k = 0; k < 128 * 128; k++)
				lit += t->pixels[k * 4] + t->pixels[k * 4 + 1] + t->pixels[k * 4 + 2] > 30;
		}
		EXPECT_GT(lit, 5000) << name << " is black";
	}
	texture[TEX_TILE].width = 0;
	loadtitlescreen(TEX_TILE);
	EXPECT_EQ(texture[TEX_TILE].width, 128);
	EXPECT_EQ(texture[TEX_TILE].height, 128);
	leavestartfolder();
}

TEST(GeneratedData, SoundsAreMonoAndEnginesLoopWithoutAClick)
{
	ASSERT_TRUE(enterstartfolder("sound"));
	for (const char *name : soundfiles) {
		SDL_AudioSpec format;
		Uint8 *data = nullptr;
		Uint32 length = 0;
		ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromFile(name, "rb"), 1, &format, &data, &length), nullptr) << name;
		EXPECT_EQ(format.channels, 1) << name;
		EXPECT_EQ(format.format, AUDIO_S16LSB) << name;
		EXPECT_GT(length, 400u) << name;
		int looping = 0;
		for (const char *loop : loopingsounds)
			looping |= strcmp(loop, name) == 0;
		if (looping) {
			const Sint16 *s = (const Sint16 *)data;
			int n = (int)(length / 2);
			int steepest = 0;
			for (int i = 1; i < n; i++)
				steepest = std::max(steepest, abs(s[i] - s[i - 1]));
			EXPECT_LE(abs(s[0] - s[n - 1]), steepest) << name << " clicks where it loops";
		}
		SDL_FreeWAV(data);
	}
	leavestartfolder();
}

namespace {

int findroot(std::vector<int> &parent, int i)
{
	while (parent[i] != i)
		i = parent[i] = parent[parent[i]];
	return i;
}

// Every edge is used once in each direction, and every triangle's normal
// points away from the centre of the solid it belongs to.
void expectclosedandoutward(const modelstruct *m, const std::string &name)
{
	ASSERT_GT(m->numofpolygons, 0) << name;
	std::map<std::pair<int, int>, int> edges;
	std::vector<int> parent(m->numofvertices);
	for (int i = 0; i < m->numofvertices; i++)
		parent[i] = i;
	for (int t = 0; t < m->numofpolygons; t++) {
		const int *v = &m->polygon[3 * t];
		for (int k = 0; k < 3; k++) {
			edges[{v[k], v[(k + 1) % 3]}]++;
			parent[findroot(parent, v[k])] = findroot(parent, v[(k + 1) % 3]);
		}
		for (int k = 0; k < 6; k++) {
			EXPECT_GE(m->polygontexcoord[6 * t + k], 0.0f) << name;
			EXPECT_LE(m->polygontexcoord[6 * t + k], 1.0f) << name;
		}
	}
	for (const auto &e : edges) {
		EXPECT_EQ(e.second, 1) << name << ": edge " << e.first.first << "-" << e.first.second << " used twice one way";
		auto back = edges.find({e.first.second, e.first.first});
		EXPECT_TRUE(back != edges.end() && back->second == 1) << name << ": edge without its twin";
	}
	std::map<int, vector3> centre;
	std::map<int, int> count;
	for (int i = 0; i < m->numofvertices; i++) {
		int r = findroot(parent, i);
		vector3 p = {m->vertex[3 * i], m->vertex[3 * i + 1], m->vertex[3 * i + 2]};
		addvectors(&centre[r], &centre[r], &p);
		count[r]++;
	}
	for (auto &c : centre)
		scalevector(&c.second, &c.second, 1.0f / count[c.first]);
	for (int t = 0; t < m->numofpolygons; t++) {
		vector3 mid = {0, 0, 0};
		for (int k = 0; k < 3; k++) {
			int v = m->polygon[3 * t + k];
			vector3 p = {m->vertex[3 * v], m->vertex[3 * v + 1], m->vertex[3 * v + 2]};
			addvectors(&mid, &mid, &p);
		}
		scalevector(&mid, &mid, 1.0f / 3.0f);
		vector3 out;
		subtractvectors(&out, &mid, &centre[findroot(parent, m->polygon[3 * t])]);
		const vector3 *n = (const vector3 *)&m->polygonnormal[3 * t];
		EXPECT_GT(dotproduct(n, &out), 0.0f) << name << ": triangle " << t << " faces inwards";
	}
}

}  // namespace

TEST(GeneratedData, ModelsAreClosedSolidsFacingOutwards)
{
	std::set<std::string> props;
	ASSERT_TRUE(loadpack());
	for (int l = 0; l < mappack.numoflevels; l++) {
		ASSERT_EQ(loaddemolevel(mappack.levelname[l]), 1);
		for (int p = 0; p < level.numofprops; p++)
			props.insert(level.prop[p].name);
	}
	EXPECT_FALSE(props.empty());
	modelstruct m;
	memset(&m, 0, sizeof m);
	ASSERT_TRUE(enterstartfolder("object"));
	for (const char *name : vehiclemodels) {
		ASSERT_EQ(readmodelfile(&m, name), MODELLOADED) << name;
		expectclosedandoutward(&m, name);
	}
	leavestartfolder();
	ASSERT_TRUE(enterstartfolder("prop"));
	for (const std::string &name : props) {
		ASSERT_EQ(readmodelfile(&m, name.c_str()), MODELLOADED) << name;
		expectclosedandoutward(&m, name);
	}
	leavestartfolder();
	enterstartfolder(nullptr);
	for (const std::string &name : props)
		for (int low = 0; low <= 1; low++)
			EXPECT_EQ(readtexturefile(SCRATCHSLOT, (name + ".tga").c_str(), 1, low), 1) << name;
	leavestartfolder();
	freemodel(&m);
}

TEST(GeneratedData, VehicleModelsFillTheirPhysicsBoxes)
{
	const struct {
		int type;
		const char *model;
	} vehicles[] = {{0, "steam"}, {5, "bxblue"}, {17, "hatchbck"}};
	modelstruct m;
	memset(&m, 0, sizeof m);
	enterstartfolder(nullptr);
	for (const auto &v : vehicles) {
		ASSERT_EQ(loadobjectphysics(v.type), 1) << v.type;
		const objectphysicsstruct *o = &objectphysics[v.type];
		float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
		for (int i = 0; i < BODYPOINTS; i++) {
			const float *p = &o->bodypoint[i].x;
			for (int a = 0; a < 3; a++) {
				lo[a] = std::min(lo[a], p[a]);
				hi[a] = std::max(hi[a], p[a]);
			}
		}
		EXPECT_GT(o->mass, 0.0f);
		EXPECT_EQ(o->numofwheels, 4);
		// The wheels' ground probes start no higher than the body's floor.
		for (int w = 0; w < o->numofwheels; w++)
			EXPECT_LE(o->wheelposition[w].y, lo[1]) << v.model;
		EXPECT_FLOAT_EQ(objectsize[v.type].clearance, -lo[1]);
		ASSERT_EQ(chdir("object"), 0);
		int read = readmodelfile(&m, v.model);
		ASSERT_EQ(chdir(".."), 0);
		ASSERT_EQ(read, MODELLOADED) << v.model;
		float mlo[3] = {1e9f, 1e9f, 1e9f}, mhi[3] = {-1e9f, -1e9f, -1e9f};
		for (int i = 0; i < m.numofvertices; i++)
			for (int a = 0; a < 3; a++) {
				mlo[a] = std::min(mlo[a], m.vertex[3 * i + a]);
				mhi[a] = std::max(mhi[a], m.vertex[3 * i + a]);
			}
		for (int a = 0; a < 3; a++) {
			EXPECT_GE(mlo[a], lo[a] - 0.01f) << v.model << " axis " << a;
			EXPECT_LE(mhi[a], hi[a] + 0.01f) << v.model << " axis " << a;
			EXPECT_GT(mhi[a] - mlo[a], 0.9f * (hi[a] - lo[a])) << v.model << " axis " << a;
		}
	}
	freemodel(&m);
	leavestartfolder();
}

TEST(GeneratedData, DemoPackCoversEveryMaterialPhaseAndVehicle)
{
	ASSERT_TRUE(loadpack());
	ASSERT_GE(mappack.numoflevels, 8);
	ASSERT_LE(mappack.numoflevels, 15);
	EXPECT_NE(mappack.text[0][0], 0);
	EXPECT_NE(mappack.text[12][0], 0);
	std::set<int> materials, phases;
	int trains = 0, cars = 0, windy = 0, current = 0;
	setuplinkdata();
	for (int l = 0; l < mappack.numoflevels; l++) {
		const char *name = mappack.levelname[l];
		ASSERT_EQ(loaddemolevel(name), 1) << name;
		EXPECT_EQ(level.landscapewidth, 512);
		EXPECT_EQ(level.landscapedepth, 512);
		EXPECT_LT(level.waterlevel, 320.0f) << name;
		for (int b = 1; b < MAXCOLORBANDS; b++)
			EXPECT_GT(level.colorband[b].top, level.colorband[b - 1].top) << name;
		EXPECT_NE(level.levelname[0], 0);
		EXPECT_NE(level.description[0][0], 0);
		// The road runs on both banks at height 320 up to the anchors.
		int left = 512, right = 0;
		for (int i = 0; i < numofpoints; i++)
			if (point[i].type == POINTANCHOR && point[i].position.y == 320.0f) {
				left = std::min(left, (int)(point[i].position.x / 5.0f));
				right = std::max(right, (int)(point[i].position.x / 5.0f));
			}
		ASSERT_LT(left, right) << name;
		EXPECT_EQ(height(left, 256), 320.0f) << name;
		EXPECT_EQ(height(right, 256), 320.0f) << name;
		// Beyond the anchors lies the river.
		EXPECT_LT(height(left + 2, 256), level.waterlevel) << name;
		EXPECT_LT(height(right - 2, 256), level.waterlevel) << name;

		int cost = calculatebridgecost(1);
		EXPECT_LE(cost, level.budget) << name;
		for (int m = 0; m < MATERIALCOUNTS; m++) {
			int used = (int)editor.materialcount[m];
			if (m == 7)
				used += (int)editor.materialcount[8];
			if (m == 8)
				continue;
			if (used > 0) {
				EXPECT_LE(used, level.materiallimit[m]) << name << " material " << m;
			}
		}
		for (int i = 0; i < numoflinks; i++) {
			const beamstruct *b = &beam[i];
			vector3 d;
			subtractvectors(&d, &point[b->point2].position, &point[b->point1].position);
			EXPECT_LT(vectorlength(&d), linktype[b->type].maxlength) << name << " link " << i;
			materials.insert(b->type > 9 ? b->type - 10 : b->type);
		}
		// Every joint stands clear of the ground, as the editor demands of
		// the points a player places, so the stored bridge can be rebuilt.
		for (int i = 0; i < numofpoints; i++) {
			if (point[i].type == POINTANCHOR)
				continue;
			const vector3 *at = &point[i].position;
			const float offset[4][2] = {{0.1f, 0}, {-0.1f, 0}, {0, 0.1f}, {0, -0.1f}};
			for (const auto &o : offset) {
				vector3 top = {at->x + o[0], at->y + 200.0f, at->z + o[1]};
				vector3 bottom = {at->x + o[0], at->y, at->z + o[1]};
				vector3 hit, normal;
				float t;
				EXPECT_FALSE(lineintersectlevel(&hit, &normal, &t, &top, &bottom)) << name << " point " << i << " is in the ground";
			}
		}
		for (int p = 0; p < level.numofphases; p++)
			phases.insert(std::min(level.phase[p].type, 3));
		for (int o = 0; o < level.numoflevelobjects; o++) {
			const levelobjectstruct *v = &level.levelobject[o];
			EXPECT_TRUE(v->type == 0 || v->type == 17) << name;
			for (int c = 0; c < v->numofcars; c++)
				EXPECT_EQ(v->cartype[c], 5) << name;
			trains += v->type == 0 && v->numofcars > 0;
			cars += v->type == 17;
		}
		windy |= level.phase[WINDPHASE].data[WINDSPEEDWORD] != 0.0f;
		current |= level.phase[WINDPHASE].data[CURRENTSPEEDWORD] != 0.0f;
	}
	for (int m : {2, 3, 4, 5, 6})
		EXPECT_TRUE(materials.count(m)) << "material " << m << " is never needed";
	EXPECT_TRUE(materials.count(7) || materials.count(8)) << "no hydraulics";
	for (int p : {0, 1, 2, 3})
		EXPECT_TRUE(phases.count(p)) << "phase type " << p << " never runs";
	EXPECT_GT(trains, 0);
	EXPECT_GT(cars, 0);
	EXPECT_TRUE(windy);
	EXPECT_TRUE(current);
}

namespace {

int pointat(float x, float y, float z)
{
	for (int i = 0; i < numofpoints; i++)
		if (point[i].position.x == x && point[i].position.y == y && point[i].position.z == z)
			return i;
	return -1;
}

int countdecklinks()
{
	int n = 0;
	for (int i = 0; i < numoflinks; i++)
		n += beam[i].deck != 0;
	return n;
}

}  // namespace

TEST(GeneratedData, TutorialLessonsHaveWhatTheirStepsPointAt)
{
	ASSERT_EQ(loaddemolevel("demo2"), 1);
	int a = pointat(1250, 320, 1285);
	ASSERT_NE(a, -1);
	EXPECT_EQ(point[a].type, POINTANCHOR);
	EXPECT_NE(pointat(1270, 320, 1285), -1);  // the first link's end
	EXPECT_NE(pointat(1260, 335, 1285), -1);  // the second link's end
	EXPECT_GE(numoflinks, 3);
	EXPECT_GT(level.materiallimit[2], 0);

	ASSERT_EQ(loaddemolevel("demo4"), 1);
	for (float x : {1240.0f, 1320.0f}) {
		int lower = pointat(x, 320, 1285);
		ASSERT_NE(lower, -1);
		EXPECT_EQ(point[lower].type, POINTANCHOR);
	}
	int high = pointat(1240, 360, 1285);
	ASSERT_NE(high, -1);
	EXPECT_EQ(point[high].type, POINTANCHOR);
	EXPECT_GT(level.materiallimit[4], 0) << "the lesson needs Cable";
	// Four deck pieces between the lower anchors: eight deck links.
	EXPECT_EQ(countdecklinks(), 8);
	// A fan of cables from the high anchor, laid with the y key held.
	int cables = 0;
	for (int i = 0; i < numoflinks; i++)
		cables += beam[i].type == 4 && (beam[i].point1 == high || beam[i].point2 == high);
	EXPECT_GE(cables, 2);
	EXPECT_GE(numoflinks, 14);
}
