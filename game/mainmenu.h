// The main menu: runs until the player leaves it or the window is closed.
#pragma once

void mainmenu();
