// Do-nothing versions of what the world calls in the game's screens and
// sound: the "Loading..." frame here, the sound instances in
// sound/soundeventsnone.cpp. Apart from the platform stand-ins
// (headless.cpp), so a window test that links the real platform library can
// still take these.
#include "world/level.h"

// The "Loading..." frame of loadlevel.
void drawloadingframe()
{
}
