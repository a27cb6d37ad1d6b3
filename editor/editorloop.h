// The bridge editor screen.
#pragma once

// Prepares the editor for a freshly loaded level: point markers, the level's
// prop models, the material tables, the editor's starting state and a clean
// simulation control record.
void reseteditor();
// Runs the editor on the loaded level and its bridge until the player
// leaves; the edited bridge stays in point and beam.
void editorloop();
