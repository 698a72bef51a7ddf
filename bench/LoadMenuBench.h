// The real LoadMenu against the system calls that no loader can avoid for the same entries.
#pragma once

#include "bench/BenchMenus.h"

struct LoadMenuTimes {
    int entries = 0;
    double loadMs = 0;  // median of LoadMenu
    double floorMs = 0; // median of the floor, measured in the same run
};

// Needs the launcher's Application and ImageList; MainMenu is left holding this menu.
LoadMenuTimes MeasureLoadMenu(const BenchMenu& menu, int repeats);
