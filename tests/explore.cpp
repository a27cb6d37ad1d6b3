// Development aid (not part of the suite): tries a level's bridge scripts.
//   explore LEVEL [STOREDSCRIPT [WEAKSCRIPT]]
// Scripts default to the level's own. Prints cost, pass, peak stress with
// and without traffic, and for the weak script whether it stands 60 s alone
// and whether it fails the test.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "editor/cost.h"
#include "editor/editcycle.h"
#include "editor/editor.h"
#include "tests/gendatafolder.h"
#include "tests/levelproof.h"
#include "tools/gen/clickreplay.h"
#include "tools/gen/gendata.h"
#include "world/level.h"
#include "world/mappack.h"
#include "world/objectphysics.h"
#include "world/bond.h"
#include "world/particle.h"

static float envf(const char *n, float d) { const char *s = getenv(n); return s ? (float)atof(s) : d; }

static int build(const char *name, const char *script)
{
	loaddemolevel(name);
	keepanchorsonly();
	int budget = level.budget;
	level.budget = 1 << 30;
	cheat[0] = cheat[1] = 1; cheat[3] = 0; levelnum = 0;
	int missed = replayclicks(script, nullptr);
	level.budget = budget;
	int cost = calculatebridgecost(1);
	printf("  %d links, cost $%d (budget $%d), missed %d; counts", numoflinks, cost, budget, missed);
	for (int m = 2; m < 9; m++) if (editor.materialcount[m] > 0) printf(" m%d:%d/%d", m, (int)editor.materialcount[m], level.materiallimit[m]);
	printf("\n");
	return missed;
}

static void toppeaks(const char *what)
{
	for (int k = 0; k < 6; k++) {
		int best = -1;
		for (int i = 0; i < numofbonds; i++)
			if (bond[i].type < 20 && (best < 0 || bond[i].peakstress > bond[best].peakstress)) best = i;
		if (best < 0) break;
		vector3 a = particle[bond[best].particle1].position, b = particle[bond[best].particle2].position;
		if (a.z > 1280 && b.z > 1280)
			printf("    %s peak %.3f type %d (%.0f,%.0f)-(%.0f,%.0f)\n", what, bond[best].peakstress, bond[best].type, a.x, a.y, b.x, b.y);
		bond[best].peakstress = -1;
	}
}

int main(int argc, char **argv)
{
	if (argc < 2) return 2;
	const char *name = argv[1];
	if (generationfailures()) return 1;
	enterstartfolder(nullptr);
	setupproofworld();
	leavestartfolder();
	objectphysics[0].mass = envf("ENGINE", objectphysics[0].mass);
	objectphysics[5].mass = envf("BOXCAR", objectphysics[5].mass);
	objectphysics[17].mass = envf("CAR", objectphysics[17].mass);
	loadpack();
	if (argc > 2 && !strcmp(argv[2], "-")) {
		// One script per line on stdin: a line of numbers for each.
		static char line[8192];
		while (fgets(line, sizeof line, stdin)) {
			line[strcspn(line, "\n")] = 0;
			loaddemolevel(name);
			keepanchorsonly();
			level.budget = 1 << 30;
			for (int m = 0; m < MAXMATERIALLIMITS; m++) level.materiallimit[m] = MAXLINKS;
			cheat[0] = cheat[1] = 1; cheat[3] = 0; levelnum = 0;
			int missed = replayclicks(line, nullptr);
			int cost = calculatebridgecost(1);
			proofresult r = runlevelproof(0, 4000);
			float st = runstanding(r.steps).peakstress;
			printf("%d %d %d %d %d %.3f %.3f %.2f | %s\n", missed, cost, r.passed, r.brokenlinks, r.sank, r.peakstress, st, r.peakstress / st, line);
			fflush(stdout);
		}
		return 0;
	}
	const char *stored = argc > 2 && argv[2][0] ? argv[2] : levelclicks(name);
	printf("%s stored:\n", name);
	build(name, stored);
	proofresult r = runlevelproof(0, 20000);
	if (getenv("PEAKS")) toppeaks("test");
	float s = runstanding(r.steps).peakstress;
	if (getenv("PEAKS")) toppeaks("standing");
	printf("  pass %d steps %d broken %d sank %d peak %.3f standing %.3f ratio %.2f\n", r.passed, r.steps, r.brokenlinks, r.sank, r.peakstress, s, r.peakstress / s);
	build(name, stored);
	proofresult later = runlevelproof(170, 20000);
	printf("  after settling: pass %d broken %d peak %.3f\n", later.passed, later.brokenlinks, later.peakstress);
	const char *weak = argc > 3 ? argv[3] : levelweakclicks(name);
	if (weak && weak[0]) {
		printf("%s weak:\n", name);
		build(name, weak);
		proofresult alone = runstanding(STANDSTEPS);
		printf("  alone 60 s: broken %d peak %.3f\n", alone.brokenlinks, alone.peakstress);
		build(name, weak);
		proofresult w = runlevelproof(0, r.steps + 2000);
		printf("  test: pass %d steps %d broken %d sank %d peak %.3f\n", w.passed, w.steps, w.brokenlinks, w.sank, w.peakstress);
	}
	return 0;
}
