// Building the Windows menus of a loaded tree against a bare loop of the same system calls.
#pragma once

class TMinMenuItem;

struct PopupTimes {
    double buildMs = 0; // median of CreateHandle and BuildMenu on the root
    double floorMs = 0; // median of the bare calls, measured in the same run
};

PopupTimes MeasurePopup(TMinMenuItem& root, int repeats);
