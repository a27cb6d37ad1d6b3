// Bonds: the springs of the simulation (links, cable pieces, deck cross
// bracing, vehicle frames, couplings, drag and the stubs of broken links).
#pragma once

constexpr int MAXBONDS = 16384;

// Bond types beside the link types 1 to 9.
constexpr int BOND_FRAME = 20;      // vehicle body frame
constexpr int BOND_DECKCROSS = 20;  // added to the link type for a deck quad's cross bonds
constexpr int BOND_COUPLING = 30;   // between train cars
constexpr int BOND_DRAG = 31;       // mouse drag

constexpr int BOND_LIVE = 10000;
constexpr int BOND_BROKEN = -1;     // removed at the end of the same checkbonds

struct bondstruct {
	int particle1;
	int particle2;
	int type;
	int state;               // BOND_LIVE or BOND_BROKEN
	float restlength;        // what the solver pulls toward; the drawbridge moves it
	float length;            // creation length
	float stiffness;
	float compressionlimit;  // stretch below it breaks the bond; 0 makes it tension-only
	float tensionlimit;      // stretch above it breaks the bond
	int tension;             // 1 when the last stretch was 0 or more
	float stress;            // last stress ratio, 0 to 1
	int peaktension;         // tension at the time of peakstress
	float peakstress;
	int passmask;            // takes part in solver pass p when (passmask & p) == 0
	int cdquadnum;           // deck quad this bond holds, -1 none
	int stub;                // 1 for a dangling half of a broken bond
};
static_assert(sizeof(bondstruct) == 64, "bond fields are all 32 bits wide");

extern bondstruct bond[MAXBONDS];
extern int numofbonds;

// Appends a bond and returns its index, or -1 when refused: an end not below
// numofparticles, the same particle twice, a pair already bonded, ends at one
// position or a full array.
int createbond(int particle1, int particle2, int type, int cdquadnum);
// While open, createbond answers its duplicate test from a hash of the bonded
// pairs instead of a scan. Only the simulation build opens it: nothing else
// may change bond ends until it is closed.
void openbondindex();
void closebondindex();
// Removes a bond (the last one moves into its slot). Deleting a bond of an
// active deck quad deactivates the quad and turns its cross bonds back into
// plain links. Out of range indices are ignored.
void deletebond(int index);
// Air and water drag, then the velocity solver.
void bondsimulation();
void bonddragsimulation();
// Stress, breaking and debris.
void checkbonds();
