#include "render/batch.h"

batchstruct batch;

void beginbatch(GLenum mode, int flags)
{
	batch.mode = mode;
	batch.flags = flags;
	batch.count = 0;
	batch.emitted = 0;
}

void flushbatch()
{
	if (batch.count == 0)
		return;
	int flags = batch.flags;
	glEnableClientState(GL_VERTEX_ARRAY);
	glVertexPointer(3, GL_FLOAT, 0, batch.position);
	if (flags & BATCH_NORMAL) {
		glEnableClientState(GL_NORMAL_ARRAY);
		glNormalPointer(GL_FLOAT, 0, batch.normal);
	}
	if (flags & BATCH_COLOR) {
		glEnableClientState(GL_COLOR_ARRAY);
		glColorPointer(4, GL_FLOAT, 0, batch.color);
	}
	if (flags & BATCH_TEXCOORD1) {
		glClientActiveTexture(GL_TEXTURE1);
		glEnableClientState(GL_TEXTURE_COORD_ARRAY);
		glTexCoordPointer(2, GL_FLOAT, 0, batch.texcoord1);
	}
	if (flags & BATCH_TEXCOORD) {
		glClientActiveTexture(GL_TEXTURE0);
		glEnableClientState(GL_TEXTURE_COORD_ARRAY);
		glTexCoordPointer(2, GL_FLOAT, 0, batch.texcoord);
	}
	glDrawArrays(batch.mode, 0, batch.count);
	if (flags & BATCH_TEXCOORD) {
		glClientActiveTexture(GL_TEXTURE0);
		glDisableClientState(GL_TEXTURE_COORD_ARRAY);
	}
	if (flags & BATCH_TEXCOORD1) {
		glClientActiveTexture(GL_TEXTURE1);
		glDisableClientState(GL_TEXTURE_COORD_ARRAY);
		glClientActiveTexture(GL_TEXTURE0);
	}
	if (flags & BATCH_COLOR)
		glDisableClientState(GL_COLOR_ARRAY);
	if (flags & BATCH_NORMAL)
		glDisableClientState(GL_NORMAL_ARRAY);
	glDisableClientState(GL_VERTEX_ARRAY);
	batch.count = 0;
}

void endbatch()
{
	flushbatch();
	if (batch.emitted == 0)
		return;
	int flags = batch.flags;
	if (flags & BATCH_NORMAL)
		glNormal3fv(&batch.current[0]);
	if (flags & BATCH_TEXCOORD)
		glMultiTexCoord2fv(GL_TEXTURE0, &batch.current[3]);
	if (flags & BATCH_TEXCOORD1)
		glMultiTexCoord2fv(GL_TEXTURE1, &batch.current[5]);
	if (flags & BATCH_COLOR)
		glColor4fv(&batch.current[7]);
}
