// The screens the bridge editor opens: bridge colours, help pages and the
// bridge file browser.
#pragma once

void editbridgecolormenu();
void helpmenu();
// load 0: save the bridge, 1: load one.
void filebridgemenu(int load);
