// The options screen.
#pragma once

void optionsmenu();
