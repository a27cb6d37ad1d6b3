// The bridge editor's tentative edit: every frame the edit under the mouse is
// applied to the live bridge so that it is drawn and priced, and then kept
// by a left click within the budget and the material limits, or put back
// from the frame's snapshot. Headless: the window loop passes in the eye and
// the mouse, so tests drive the whole cycle without a window.
#pragma once

#include "platform/vector.h"

constexpr int SOUND_CLICK = 11;    // "click.wav"
constexpr int SOUND_UNCLICK = 12;  // "unclick.wav"

// The frame's rules between the toggles, in order: anchor placement while
// '.' is held (levels outside any map pack), SetJoint keeping the material
// aside, the deck and cable states following the material, an empty copy
// buffer leaving paste, and Normal mode's fixed planes. cameratargetz is the
// current camera's target z, which Normal mode keeps on the editing plane.
void applyeditmodes(float *cameratargetz);

// 1 when the left (right) button went down this frame.
int freshleftpress();
int freshrightpress();

// Frame start: no link highlighted, nothing hovered, and the snapshot taken.
// A selected point that no longer exists (the bridge was undone or a
// preview twin was put back) is forgotten here.
void starteditframe();
// The bridge as it was at the frame start.
void restoresnapshot();

// The mouse ray (from eye through the normalised window position mousexy,
// along the view axes) cut with the editing plane. 0 when the eye is behind
// the plane or the ray ends in front of it.
int editplanehit(vector3 *hit, const vector3 *eye, const orientation *axes, const float mousexy[2]);
// x and y to the grid (half steps with GridHD), z to whole steps.
void snapeditpoint(vector3 *h);
// The link type built with the current material (thin kinds in thin-beam mode).
int editlinktype();

// The tentative edit at the plane hit by editstate, then the link highlight
// and the start of a selection box.
void tentativeedit(const vector3 *hit);

// 1 when the material counts (as calculatebridgecost(1) left them) exceed
// an enforced limit.
int editoverlimits();
// Keeps the tentative edit on a click within budget (costafter) and limits,
// else puts the bridge back; then deletion by the right button. Call only
// with the mouse inside the editing window and no exit question open.
// Returns the sound the change makes: SOUND_CLICK for a kept edit,
// SOUND_UNCLICK for a deletion, 0 when the bridge stayed as it was.
int commitedit(int costafter);
// SetJoint: a click switches the hovered joint (and its twin) between a
// plain and a drawbridge joint.
void switchjoints();
