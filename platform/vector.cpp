#include "vector.h"

#include <cmath>

// The ordinary right-handed product, used inside this file where the
// geometry is written that way round.
static vector3 rightcross(const vector3 &a, const vector3 &b)
{
	return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

static vector3 sub(const vector3 &a, const vector3 &b)
{
	return {a.x - b.x, a.y - b.y, a.z - b.z};
}

float dotproduct(const vector3 *a, const vector3 *b)
{
	return (a->x * b->x + a->y * b->y) + a->z * b->z;
}

void crossproduct(vector3 *out, const vector3 *a, const vector3 *b)
{
	out->x = a->z * b->y - a->y * b->z;
	out->y = a->x * b->z - a->z * b->x;
	out->z = a->y * b->x - a->x * b->y;
}

float vectorlength(const vector3 *v)
{
	return (float)sqrt((double)((v->x * v->x + v->y * v->y) + v->z * v->z));
}

void normalizevector(vector3 *out, const vector3 *v)
{
	float length = vectorlength(v);
	if (length == 0.0f) {
		zerovector(out);
		return;
	}
	out->x = v->x / length;
	out->y = v->y / length;
	out->z = v->z / length;
}

void copyvector(vector3 *out, const vector3 *v)
{
	*out = *v;
}

void negvector(vector3 *out, const vector3 *v)
{
	out->x = -v->x;
	out->y = -v->y;
	out->z = -v->z;
}

void zerovector(vector3 *v)
{
	v->x = 0.0f;
	v->y = 0.0f;
	v->z = 0.0f;
}

void addvectors(vector3 *out, const vector3 *a, const vector3 *b)
{
	out->x = a->x + b->x;
	out->y = a->y + b->y;
	out->z = a->z + b->z;
}

void subtractvectors(vector3 *out, const vector3 *a, const vector3 *b)
{
	out->x = a->x - b->x;
	out->y = a->y - b->y;
	out->z = a->z - b->z;
}

void scalevector(vector3 *out, const vector3 *v, float s)
{
	out->x = v->x * s;
	out->y = v->y * s;
	out->z = v->z * s;
}

void scaleaddvectors(vector3 *out, const vector3 *a, const vector3 *b, float s)
{
	out->x = a->x + b->x * s;
	out->y = a->y + b->y * s;
	out->z = a->z + b->z * s;
}

void resetorientation(orientation *o)
{
	o->v[0] = {1.0f, 0.0f, 0.0f};
	o->v[1] = {0.0f, 1.0f, 0.0f};
	o->v[2] = {0.0f, 0.0f, 1.0f};
}

void rotateorientation(orientation *o, const vector3 *axis, float angle)
{
	vector3 a;
	normalizevector(&a, axis);
	// A zero axis has no direction to turn about; it would collapse every row.
	if (fabsf(angle) < 0.003f || dotproduct(&a, &a) == 0.0f)
		return;
	double c = cos((double)angle);
	double s = sin((double)angle);
	for (int n = 0; n < 3; n++) {
		vector3 *r = &o->v[n];
		vector3 p, q;
		vector3 rxa = rightcross(*r, a);
		normalizevector(&p, &rxa);
		vector3 axp = rightcross(a, p);
		normalizevector(&q, &axp);
		float d = dotproduct(&a, r);
		vector3 perp;
		scaleaddvectors(&perp, r, &a, -d);
		float l = vectorlength(&perp);
		r->x = (float)((double)d * a.x + (double)l * c * q.x + (double)l * s * p.x);
		r->y = (float)((double)d * a.y + (double)l * c * q.y + (double)l * s * p.y);
		r->z = (float)((double)d * a.z + (double)l * c * q.z + (double)l * s * p.z);
		normalizevector(r, r);
	}
}

void generatepolygonnormal(vector3 *out, const vector3 *a, const vector3 *b, const vector3 *c)
{
	vector3 n = rightcross(sub(*c, *a), sub(*b, *a));
	normalizevector(out, &n);
}

float roundnumber(float value, float step)
{
	return (float)(floor((double)(value / step + 0.5f)) * (double)step);
}

int lineintersectplane(vector3 *out, const vector3 *n, float *t, const vector3 *p0,
	const vector3 *p1, const vector3 *q)
{
	vector3 endq = sub(*p1, *q);
	if (dotproduct(&endq, n) > 0.0f)
		return 0;
	vector3 startq = sub(*p0, *q);
	if (dotproduct(&startq, n) < 0.0f)
		return 0;
	vector3 seg = sub(*p1, *p0);
	float denominator = dotproduct(&seg, n);
	if (denominator == 0.0f)
		return 0;  // the segment lies in the plane: no crossing to report
	vector3 qp = sub(*q, *p0);
	*t = dotproduct(&qp, n) / denominator;
	scaleaddvectors(out, p0, &seg, *t);
	return 1;
}

static int insideedge(const vector3 &x, const vector3 &from, const vector3 &to, const vector3 &n)
{
	vector3 e = rightcross(sub(x, from), sub(to, from));
	return dotproduct(&e, &n) >= 0.0f;
}

int lineintersecttriangle(vector3 *out, const vector3 *n, float *t, const vector3 *p0,
	const vector3 *p1, const vector3 *a, const vector3 *b, const vector3 *c)
{
	if (!lineintersectplane(out, n, t, p0, p1, a))
		return 0;
	if (*t < 0.0f || *t > 1.0f)
		return 0;
	return insideedge(*out, *a, *b, *n) && insideedge(*out, *b, *c, *n) &&
		insideedge(*out, *c, *a, *n);
}

int pointintersectline(const vector3 *p, const vector3 *a, const vector3 *b, float r)
{
	vector3 ab = sub(*b, *a);
	if (dotproduct(&ab, &ab) == 0.0f)
		return 0;  // a zero-length segment has no direction
	vector3 u;
	normalizevector(&u, &ab);
	vector3 w = sub(*p, *a);
	scaleaddvectors(&w, &w, &u, -dotproduct(&u, &w));
	if (vectorlength(&w) > r)
		return 0;
	vector3 pa = sub(*p, *a);
	if (dotproduct(&pa, &ab) < 0.0f)
		return 0;
	vector3 pb = sub(*p, *b);
	vector3 ba = sub(*a, *b);
	return dotproduct(&pb, &ba) >= 0.0f;
}

int pointintersectline2d(const vector3 *p, const vector3 *a, const vector3 *b, float *t, float r)
{
	vector3 ab = sub(*b, *a);
	ab.z = 0.0f;
	if (dotproduct(&ab, &ab) == 0.0f) {
		*t = 0.0f;
		return 0;
	}
	vector3 u;
	normalizevector(&u, &ab);
	vector3 w = sub(*p, *a);
	w.z = 0.0f;
	*t = dotproduct(&u, &w);
	scaleaddvectors(&w, &w, &u, -*t);
	if (vectorlength(&w) > r)
		return 0;
	vector3 pa = sub(*p, *a);
	pa.z = 0.0f;
	if (dotproduct(&pa, &ab) < 0.0f)
		return 0;
	vector3 pb = sub(*p, *b);
	vector3 ba = sub(*a, *b);
	pb.z = 0.0f;
	ba.z = 0.0f;
	return dotproduct(&pb, &ba) >= 0.0f;
}

float intersectdistance(const vector3 *p, const vector3 *a, const vector3 *b, const vector3 *n)
{
	vector3 pa = sub(*p, *a);
	vector3 ba = sub(*b, *a);
	float denominator = dotproduct(&ba, n);
	if (denominator == 0.0f)
		return 0.0f;
	return dotproduct(&pa, n) / denominator;
}
