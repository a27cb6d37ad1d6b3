#include "editor/cablecurve.h"

#include <cmath>

#include "editor/bridgeedit.h"
#include "editor/editor.h"

// Stands in for a zero square term (the sag point midway between the ends in
// x) so the quadratic formula needs no second, linear case.
constexpr double FLATSQUARETERM = 1.0 / 65536.0;

static int inunitrange(double t)
{
	return t >= 0.0 && t <= 1.0;  // false for NaN: no real root
}

// B(t) = (1 - t)^2 P2 + 2t(1 - t) P1 + t^2 P0: t = 0 is the second end.
static double bezier(double p0, double p1, double p2, double t)
{
	double u = 1.0 - t;
	return u * u * p2 + 2.0 * t * u * p1 + t * t * p0;
}

int addcurvepoint(int curve, int type, float x)
{
	if (curve < 0 || curve >= CABLECURVES)
		return -1;
	const vector3 *p0 = &editor.cablecurve[curve][0];
	const vector3 *p1 = &editor.cablecurve[curve][1];
	const vector3 *p2 = &editor.cablecurve[curve][2];

	float fa = p0->x - 2.0f * p1->x + p2->x;
	float fb = 2.0f * p1->x - 2.0f * p2->x;
	float fk = p2->x - x;
	double a = fa, b = fb, k = fk;
	if (a == 0.0)
		a = FLATSQUARETERM;

	double root = sqrt(b * b - 4.0 * a * k);
	double t = (-b - root) / (2.0 * a);
	if (!inunitrange(t)) {
		t = (-b + root) / (2.0 * a);
		if (!inunitrange(t))
			return -1;
	}

	vector3 position;
	position.x = x;
	position.y = (float)bezier(p0->y, p1->y, p2->y, t);
	position.z = (float)bezier(p0->z, p1->z, p2->z, t);
	return createpoint(&position, type);
}
