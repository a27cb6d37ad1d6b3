// The credits screen.
#pragma once

void creditsmenu();
