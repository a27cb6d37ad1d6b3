#include "game/viewclear.h"

#include "render/renderframe.h"

#include <GL/gl.h>

void clearview()
{
	glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
	if (!renderoptions.shadows) {
		glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
		return;
	}
	// Writes to the stencil are masked off between the shadow passes.
	glStencilMask(255);
	glClearStencil(0);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
	glStencilMask(0);
}
