// Start-up loading: the shared textures and vehicle models, read once while
// the splash image fades in.
#pragma once

// Brightness of the splash while loading; main sets it to 0 and every
// showloading raises it by 0.1.
extern float loadbar;

// One frame of the fade on the 640 x 480 splash.
void showloading();
// The same on the 1024 x 768 splash.
void showloading2();
// The textures, generated textures, models and vehicle physics that every
// later screen relies on. A missing file leaves its slot as its loader does.
void doabunchofcrap();
