// Vertex batches: immediate-mode style calls collected into client vertex
// arrays (OpenGL 1.1) and drawn with glDrawArrays, which costs far less per
// vertex than glBegin/glEnd on software renderers. The vertices, their order
// and their attributes are those the immediate-mode calls would have sent.
#pragma once

#include <GL/gl.h>

enum {
	BATCH_NORMAL = 1,
	BATCH_TEXCOORD = 2,   // texture unit 0
	BATCH_TEXCOORD1 = 4,  // texture unit 1
	BATCH_COLOR = 8,
};

// Room for whole triangles and quads alike.
constexpr int BATCHVERTICES = 12 * 4096;

struct batchstruct {
	GLenum mode;  // GL_TRIANGLES or GL_QUADS
	int flags;
	int count;
	int emitted;  // vertices since beginbatch, drawn or not
	float current[13];  // normal, texcoord 0, texcoord 1, colour
	float position[BATCHVERTICES][3];
	float normal[BATCHVERTICES][3];
	float texcoord[BATCHVERTICES][2];
	float texcoord1[BATCHVERTICES][2];
	float color[BATCHVERTICES][4];
};

extern batchstruct batch;

// Attributes named in flags are taken per vertex from the batch* calls, which
// the caller makes before the first vertex; the others come from the
// current OpenGL state, as in immediate mode.
void beginbatch(GLenum mode, int flags);
// Draws what is left and sets the current normal, texture coordinates and
// colour to the last ones given, as glEnd would leave them.
void endbatch();
void flushbatch();

inline void batchnormal(float x, float y, float z)
{
	batch.current[0] = x, batch.current[1] = y, batch.current[2] = z;
}

inline void batchtexcoord(float u, float v)
{
	batch.current[3] = u, batch.current[4] = v;
}

inline void batchtexcoord1(float u, float v)
{
	batch.current[5] = u, batch.current[6] = v;
}

inline void batchcolor(float r, float g, float b, float a)
{
	batch.current[7] = r, batch.current[8] = g, batch.current[9] = b, batch.current[10] = a;
}

inline void batchvertex(float x, float y, float z)
{
	int n = batch.count;
	batch.position[n][0] = x, batch.position[n][1] = y, batch.position[n][2] = z;
	if (batch.flags & BATCH_NORMAL) {
		batch.normal[n][0] = batch.current[0];
		batch.normal[n][1] = batch.current[1];
		batch.normal[n][2] = batch.current[2];
	}
	if (batch.flags & BATCH_TEXCOORD)
		batch.texcoord[n][0] = batch.current[3], batch.texcoord[n][1] = batch.current[4];
	if (batch.flags & BATCH_TEXCOORD1)
		batch.texcoord1[n][0] = batch.current[5], batch.texcoord1[n][1] = batch.current[6];
	if (batch.flags & BATCH_COLOR)
		for (int k = 0; k < 4; k++)
			batch.color[n][k] = batch.current[7 + k];
	batch.count = n + 1;
	batch.emitted++;
	if (batch.count == BATCHVERTICES)
		flushbatch();
}
