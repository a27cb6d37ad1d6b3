// Edits of the level's vehicle placements, their cars and routes, and its
// props. Every edit refuses an index that names nothing and an addition
// beyond the level's capacity, and then changes nothing.
#pragma once

#include "platform/vector.h"

// A listed file name without its extension: cut at its first ".". The whole
// rest is kept, since Load, Save and Delete act on it (a name cut shorter
// would name another file); the lists show only its start.
void cutlistname(char *name);

// A new placement of the type at position, facing along the axes, without
// cars, phases or waypoints. Returns its index, -1 when the level is full
// or the type is none (-1) or beyond the vehicle types.
int addplacement(int type, const vector3 *position);
// Removes placement i, closing the gap; the selection follows its placement
// or is cleared with it. Returns 1 when one was removed.
int deleteplacement(int i);
// Appends a car to placement i; 0 with 32 cars already or no placement.
int addcar(int i, int type);
// Drops the last car of placement i, if it has any.
void deletecar(int i);
// Switches whether placement i runs in phase number phase (1 to 32).
void togglephase(int i, int phase);
// Appends a waypoint to the route of placement i; 0 when the route is full.
int addwaypoint(int i, const vector3 *p);
// Drops the last waypoint of placement i; 0 when it has none.
int deletewaypoint(int i);

int addprop(const char *name, int model, const vector3 *position);
// A prop of the named model from "prop", loaded on first use; -1 and no
// prop when the level is full or the model cannot be loaded.
int placeprop(const char *name, const vector3 *position);
int deleteprop(int i);
// Index of the prop nearest to p within radius r, -1 none.
int findprop(const vector3 *p, float r);
// Index of the placement nearest to p within radius r, -1 none.
int findplacement(const vector3 *p, float r);

// Raise by dy and turn by angle about the vertical, on placements and props.
void moveplacement(int i, float dy);
void rotateplacement(int i, float angle);
void moveprop(int i, float dy);
void rotateprop(int i, float angle);
