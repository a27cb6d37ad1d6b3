// The screens the bridge editor opens: bridge colours, help pages, the
// bridge file browser and the bridge details.
#pragma once

void editbridgecolormenu();
void helpmenu();
// load 0: save the bridge, 1: load one.
void filebridgemenu(int load);
// The bridge's name and architect, edited in the level record.
void editbridgedetails();
