// The two-column file browsers of the bridge and level editors: pack
// folders on the left, their files on the right, a page of rows each, a
// name box, Delete, and Save or Load.
#pragma once

#include "platform/files.h"

constexpr int BROWSERROWS = 24;
// The items in the order createbrowseritems makes them; the name box is 2.
constexpr int CANCELITEM = 0, ACTIONITEM = 1, FOLDERUP = 3, FOLDERDOWN = 4, FILEUP = 5,
	FILEDOWN = 6, DELETEITEM = 7, FOLDERROWS = 8, FILEROWS = FOLDERROWS + BROWSERROWS;

struct browsercolumn {
	int count;
	int first;  // first row shown, a multiple of BROWSERROWS
};

// The items of one frame; name is the box's buffer of NAMESIZE.
void createbrowseritems(int load, char *name, const browsercolumn *folders,
	const browsercolumn *files);
// Turns a column's page when its page item fired; there is no page past
// either end.
void pagebrowser(browsercolumn *folders, browsercolumn *files);
// Copies a file row that fired into name (NAMESIZE), once.
void takechosenfile(const browsercolumn *files, char *name);
// The dirlist entry of a folder row that fired, or -1.
int chosenfolder(const browsercolumn *folders);
// The column titles and, dim below the rows, the open folder's name;
// inside setuptextdisplay's state.
void drawbrowsertitles(const char *filetitle, const char *folder);
