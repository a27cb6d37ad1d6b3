#include "platform/vector.h"

#include <gtest/gtest.h>

#include <cmath>

static void expectvector(const vector3 &v, float x, float y, float z)
{
	EXPECT_FLOAT_EQ(v.x, x);
	EXPECT_FLOAT_EQ(v.y, y);
	EXPECT_FLOAT_EQ(v.z, z);
}

// Later code builds normals and camera axes on this order: out = b x a.
TEST(Vector, CrossProductTakesSecondArgumentFirst)
{
	vector3 x = {1, 0, 0}, y = {0, 1, 0}, z = {0, 0, 1}, out;
	crossproduct(&out, &x, &y);
	expectvector(out, 0, 0, -1);
	crossproduct(&out, &y, &z);
	expectvector(out, -1, 0, 0);
	vector3 a = {1, 2, 3}, b = {4, 5, 6};
	crossproduct(&out, &a, &b);
	expectvector(out, 3, -6, 3);  // b x a

	vector3 o = {0, 0, 0};
	generatepolygonnormal(&out, &o, &x, &y);
	expectvector(out, 0, 0, -1);
}

TEST(Vector, BasicOperationsAndAliasing)
{
	vector3 v = {3, 0, 4};
	EXPECT_FLOAT_EQ(vectorlength(&v), 5);
	normalizevector(&v, &v);
	expectvector(v, 0.6f, 0, 0.8f);
	vector3 zero = {0, 0, 0};
	normalizevector(&zero, &zero);
	expectvector(zero, 0, 0, 0);

	vector3 a = {1, 2, 3}, b = {10, 20, 30};
	EXPECT_FLOAT_EQ(dotproduct(&a, &b), 140);
	addvectors(&a, &a, &a);
	expectvector(a, 2, 4, 6);
	subtractvectors(&a, &b, &a);
	expectvector(a, 8, 16, 24);
	scaleaddvectors(&b, &a, &b, 0.5f);
	expectvector(b, 13, 26, 39);
	scalevector(&a, &a, -0.25f);
	expectvector(a, -2, -4, -6);
	negvector(&a, &a);
	expectvector(a, 2, 4, 6);

	vector3 p = {0, 0, 0}, q = {0, 1, 0}, r = {1, 0, 0};
	generatepolygonnormal(&p, &p, &q, &r);  // output over the first corner
	expectvector(p, 0, 0, 1);
}

TEST(Vector, RoundNumber)
{
	EXPECT_FLOAT_EQ(roundnumber(7.4f, 5), 5);
	EXPECT_FLOAT_EQ(roundnumber(7.5f, 5), 10);
	EXPECT_FLOAT_EQ(roundnumber(-2.5f, 5), 0);
	EXPECT_FLOAT_EQ(roundnumber(-2.6f, 5), -5);
}

TEST(Vector, RotateOrientation)
{
	orientation o;
	vector3 yaxis = {0, 2, 0};
	resetorientation(&o);
	rotateorientation(&o, &yaxis, 0.002f);
	expectvector(o.v[0], 1, 0, 0);  // below the threshold: dropped

	rotateorientation(&o, &yaxis, -0.003f);
	EXPECT_NE(o.v[0].z, 0.0f);

	float angle = 0.5f;
	resetorientation(&o);
	rotateorientation(&o, &yaxis, angle);
	expectvector(o.v[0], cosf(angle), 0, sinf(angle));
	expectvector(o.v[1], 0, 1, 0);
	expectvector(o.v[2], -sinf(angle), 0, cosf(angle));

	vector3 none = {0, 0, 0};
	resetorientation(&o);
	rotateorientation(&o, &none, 1.0f);
	expectvector(o.v[0], 1, 0, 0);
	expectvector(o.v[2], 0, 0, 1);
}

TEST(Vector, LineAgainstPlaneAndTriangle)
{
	vector3 n = {0, 1, 0}, q = {0, 0, 0}, top = {0, 1, 0}, bottom = {0, -1, 0}, out;
	float t = -1;
	EXPECT_EQ(lineintersectplane(&out, &n, &t, &top, &bottom, &q), 1);
	EXPECT_FLOAT_EQ(t, 0.5f);
	expectvector(out, 0, 0, 0);
	EXPECT_EQ(lineintersectplane(&out, &n, &t, &bottom, &top, &q), 0);

	// Lying in the plane: a miss, never a NaN.
	vector3 a = {-1, 0, 0}, b = {1, 0, 0};
	t = 7;
	EXPECT_EQ(lineintersectplane(&out, &n, &t, &a, &b, &q), 0);
	EXPECT_EQ(t, 7);

	vector3 c0 = {0, 0, 0}, c1 = {0, 0, 4}, c2 = {4, 0, 0}, tn;
	generatepolygonnormal(&tn, &c0, &c2, &c1);
	expectvector(tn, 0, 1, 0);
	vector3 above = {1, 1, 1}, below = {1, -1, 1};
	EXPECT_EQ(lineintersecttriangle(&out, &tn, &t, &above, &below, &c0, &c2, &c1), 1);
	expectvector(out, 1, 0, 1);
	vector3 edgeabove = {2, 1, 2}, edgebelow = {2, -1, 2};
	EXPECT_EQ(lineintersecttriangle(&out, &tn, &t, &edgeabove, &edgebelow, &c0, &c2, &c1), 1);
	vector3 outabove = {3, 1, 3}, outbelow = {3, -1, 3};
	EXPECT_EQ(lineintersecttriangle(&out, &tn, &t, &outabove, &outbelow, &c0, &c2, &c1), 0);
	expectvector(out, 3, 0, 3);  // set before the edge tests
	EXPECT_EQ(lineintersecttriangle(&out, &tn, &t, &a, &b, &c0, &c2, &c1), 0);
}

TEST(Vector, PointNearSegment)
{
	vector3 a = {0, 0, 0}, b = {10, 0, 0};
	vector3 middle = {5, 2, 0}, far = {5, 2.01f, 0}, pastend = {10.5f, 0, 0}, onend = {10, 0, 0};
	EXPECT_EQ(pointintersectline(&middle, &a, &b, 2), 1);
	EXPECT_EQ(pointintersectline(&far, &a, &b, 2), 0);
	EXPECT_EQ(pointintersectline(&pastend, &a, &b, 2), 0);
	EXPECT_EQ(pointintersectline(&onend, &a, &b, 2), 1);
	EXPECT_EQ(pointintersectline(&a, &a, &a, 2), 0);  // zero length: a miss

	float t = -1;
	vector3 deep = {4, 1, 50};  // z does not count
	EXPECT_EQ(pointintersectline2d(&deep, &a, &b, &t, 1), 1);
	EXPECT_FLOAT_EQ(t, 4);
	vector3 wide = {3, 5, 0};
	EXPECT_EQ(pointintersectline2d(&wide, &a, &b, &t, 1), 0);
	EXPECT_FLOAT_EQ(t, 3);  // set on a miss too
	vector3 upright = {0, 0, 9};
	EXPECT_EQ(pointintersectline2d(&a, &a, &upright, &t, 1), 0);
	EXPECT_EQ(t, 0);

	vector3 n = {1, 0, 0}, p = {5, 0, 0};
	EXPECT_FLOAT_EQ(intersectdistance(&p, &a, &b, &n), 0.5f);
	vector3 side = {0, 0, 10};
	EXPECT_EQ(intersectdistance(&p, &a, &side, &n), 0.0f);
}
