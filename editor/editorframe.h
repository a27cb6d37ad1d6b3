// The bridge editor screen's frame without its window: the menu, the rules
// between the toggles, the direct keys and the edit under the mouse. The
// window loop (editorloop) runs these steps around its polling, drawing and
// sub-screens; the demo levels' clicks are replayed through the same steps.
#pragma once

// Slots of the menu items that have no callback, found again after
// checkmenuitems: the screens they open.
extern int editorsimulateitem, editorcolorsitem, editorhelpitem, editorlevelitem;
// The menu colour: the configured text colour.
extern float editormenucolor[3];

// Entry: the menu colour, the editing window, the two cameras (the free
// camera on the default view, the top view), the toggles kept in the
// settings and an empty undo ring.
void entereditor();
// The menu, made again every frame.
void createeditoritems();
// The test screen's result button or Exit asks to leave: at once with
// autosave or in the tutorial, else through the question.
void editorleaverules();
// The rules between the toggles (Normal mode's planes follow the current
// camera's target).
void editormoderules();
// Space holds the mirror plane two steps behind; F5 switches the camera mode.
void editordirectkeys();
// The tentative edit under the mouse as seen from frame; 1 when the mouse
// is inside the editing window.
int editundermouse();
// After drawing: keeps the edit on a click within budget (costafter) and
// limits or puts it back, deletes by the right button and switches joints.
// Returns the sound the change makes, 0 for none.
int keepeditundermouse(int inside, int costafter);
// On leaving: the toggles go back into the settings.
void storeeditorsettings();
