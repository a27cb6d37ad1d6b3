// Do-nothing camera hooks of the simulation, in their own object file so
// that a program linking the real cameras (tvrender) never pulls these in.
#include "world/simulation.h"
#include "world/vehicle.h"

void shakecameratarget(const vector3 *delta)
{
}

void renumbercameraobjects(int n, int last)
{
}

int mousedragpoint(vector3 *hit)
{
	return 0;
}
