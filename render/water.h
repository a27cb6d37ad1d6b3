// Water: the surface, two wave layers and the sun glint.
#pragma once

void renderwater();
void renderwaterwave();
void renderwaterspecular();
void renderwatersector(int x0, int z0);
void renderwatersector2(int x0, int z0);
