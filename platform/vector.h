// Vector and orientation math, grid rounding and intersection tests.
// Outputs may alias inputs except where noted.
#pragma once

struct vector3 {
	float x, y, z;
};

// Rows: 0 right (x), 1 up (y), 2 back (z).
struct orientation {
	vector3 v[3];
};

static_assert(sizeof(vector3) == 12, "vector3 is three packed floats");
static_assert(sizeof(orientation) == 36, "orientation is three packed vectors");

float dotproduct(const vector3 *a, const vector3 *b);
// out := b x a. Note the order: crossproduct(out, x axis, y axis) is -z.
// out must not be a or b.
void crossproduct(vector3 *out, const vector3 *a, const vector3 *b);
float vectorlength(const vector3 *v);
void normalizevector(vector3 *out, const vector3 *v);
void copyvector(vector3 *out, const vector3 *v);
void negvector(vector3 *out, const vector3 *v);
void zerovector(vector3 *v);
void addvectors(vector3 *out, const vector3 *a, const vector3 *b);
void subtractvectors(vector3 *out, const vector3 *a, const vector3 *b);
void scalevector(vector3 *out, const vector3 *v, float s);
void scaleaddvectors(vector3 *out, const vector3 *a, const vector3 *b, float s);

void resetorientation(orientation *o);
void rotateorientation(orientation *o, const vector3 *axis, float angle);

// Unit normal of the triangle a, b, c: unit((c - a) x (b - a)), right-handed.
void generatepolygonnormal(vector3 *out, const vector3 *a, const vector3 *b, const vector3 *c);
float roundnumber(float value, float step);

int lineintersectplane(vector3 *out, const vector3 *n, float *t, const vector3 *p0,
	const vector3 *p1, const vector3 *q);
int lineintersecttriangle(vector3 *out, const vector3 *n, float *t, const vector3 *p0,
	const vector3 *p1, const vector3 *a, const vector3 *b, const vector3 *c);
int pointintersectline(const vector3 *p, const vector3 *a, const vector3 *b, float r);
int pointintersectline2d(const vector3 *p, const vector3 *a, const vector3 *b, float *t, float r);
float intersectdistance(const vector3 *p, const vector3 *a, const vector3 *b, const vector3 *n);
