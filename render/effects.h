// Camera-facing effects: sun disc, smoke and sparks, night glows, markers.
#pragma once

void rendersky();
void rendersprites();
void renderparticlelights();
void renderparticles();
