// The test screen's sun dial and its lines of text.
#pragma once

// Left button on the dial sets the sun's height and bearing.
void sundialinput();
void drawsundial();
// Phase, result, broken links, clock and hint lines.
void drawtesthud(float red, float green, float blue);
