// Pieces shared by the level and object editors' modal screens.
#pragma once

// 1 when key went down this frame.
int keypressed(int key);
