// The setup program's reading and writing of "hwconfig.txt". It defines
// its own loadconfig and saveconfig (declared in platform/config.h) in
// place of the game's: only the hardware settings file is read or written,
// and the game settings file is never touched.
#pragma once

#include "platform/config.h"

// The bridge editor's camera move mode ("editormovemode="). The setup
// screen does not edit it; it is kept from reading to writing so that the
// game's value survives.
extern int editormovemode;
