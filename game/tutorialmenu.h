// The tutorial's list of lessons.
#pragma once

void tutorialmenu();
