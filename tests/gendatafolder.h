// A start folder filled once per test program by the data generator, in a
// fresh temporary folder.
#pragma once

// Runs every generator into the current folder; returns the files that
// could not be written.
int generateeverything();
// Removes a folder with everything in it.
void removefolder(const char *path);

// The folder's path; generates it on the first call.
const char *generatedstartfolder();
// Files the generator could not write on that first call.
int generationfailures();

// Runs the current folder change into the start folder (plus sub, when not
// null) and back to where the test was; both return 1 on success.
int enterstartfolder(const char *sub);
void leavestartfolder();

// The generated map pack "demo", and one of its levels, loaded from the
// start folder; both return 1 on success.
int loadpack();
int loaddemolevel(const char *name);
