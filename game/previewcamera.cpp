#include "game/previewcamera.h"

#include "world/level.h"

#include <cmath>

// The editing plane's middle; the camera aims a little above it.
static const vector3 orbitcentre = { 1280.0f, 320.0f, 1285.0f };
static const vector3 lookcentre = { 1280.0f, 330.0f, 1285.0f };

float previewradius()
{
	float radius = 20.0f;
	for (int n = 0; n < numofpoints; n++) {
		vector3 d;
		subtractvectors(&d, &point[n].position, &orbitcentre);
		float distance = sqrtf(dotproduct(&d, &d));
		if (distance > radius)
			radius = distance;
	}
	return radius;
}

void previewframe(vector3 *position, orientation *axes, float angle, float radius)
{
	static const vector3 xaxis = { 1.0f, 0.0f, 0.0f };
	static const vector3 yaxis = { 0.0f, 1.0f, 0.0f };
	resetorientation(axes);
	rotateorientation(axes, &xaxis, 0.62831855f);
	rotateorientation(axes, &yaxis, angle);
	scaleaddvectors(position, &lookcentre, &axes->v[2], 1.5f * radius);
}
