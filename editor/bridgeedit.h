// The building rules: the only operations that change the bridge's points
// and links. Every refusal is silent; the caller sees it through a -1 result
// or unchanged counts.
#pragma once

#include "platform/vector.h"

// The existing point close enough to position (within the grid step, or a
// quarter of it between two cable curve points), else a new point of type,
// else -1: a point other than an anchor may not stand on or under the
// ground, and the array may be full.
int createpoint(const vector3 *position, int type);
// The first point within the grid step of position, -1 none.
int findpoint(const vector3 *position);
// Deletes a point with its links; the last point takes its index. Anchors go
// only while '.' is held in a level outside any map pack.
void deletepoint(int index);
// Appends the link a-b unless a rule refuses it: a bad or equal end, two
// anchors, too long for the type, a duplicate, a plain link along or across
// a road deck, or a full array.
void createlink(int a, int b, int type, int deck);
// A road-deck piece: deck links p1-p2 and p3-p4 replacing every link among
// the four points; p1 faces p3 and p2 faces p4 across the road.
void createdeck(int p1, int p2, int p3, int p4, int type);
// Deletes a link; the last link takes its index. A suspension cable marks its
// curve points (type -1) for the editor to delete.
void deletelink(int index);
