// The profile menu, where the player picks or creates a profile, and its
// creation screen.
#pragma once

void profilemenu();
// Ends with "Back" (offered only once a profile exists) or with a profile
// created and made current.
void createprofilemenu();
