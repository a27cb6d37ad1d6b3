// The two footer lines of the main menu and the map pack menu.
#pragma once

void drawmenufooter(float red, float green, float blue);
