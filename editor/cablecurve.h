// Suspension-cable curves: a quadratic Bezier curve through the cable's two
// ends, pulled towards the sag point, sampled at given x positions.
#pragma once

constexpr int CABLECURVES = 2;  // 0 on the editing plane, 1 on the mirror plane

// Creates (or reuses, through createpoint) a point of type where curve
// (0 or 1, from editor.cablecurve) passes x, and returns its index; -1 when
// the curve does not pass x between its ends or the point is refused.
int addcurvepoint(int curve, int type, float x);
