// The level preview: the loaded level turning in a strip across the upper
// half of the screen, with its facts below; "Edit" runs the bridge editor.
#pragma once

// Runs until "Back", Escape, a window close or the editor's return.
// savedbridge is 1 when the player's saved bridge was loaded with the level.
void previewmenu(int savedbridge);

