// The map pack's ending text, shown after its last level is passed.
#pragma once

void endingloop();
