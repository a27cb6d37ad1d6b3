// The help pages of the test screen.
#pragma once

void gamehelpmenu();
