// Where a start-up's time and memory go: the launcher's start-up steps, run with the real code
// in a fresh process of this program, timed and measured between the steps.
#pragma once

#include <string>
#include <vector>

struct StartupPhase {
    std::string name;
    double ms = 0;
    double committedBytes = 0; // committed private memory the step added
};

// The step whose memory is the shell's system image lists, which Wine fills at once.
inline constexpr char SystemImageListPhase[] = "menu file chosen, system image list attached";

// Runs in the child, started with the switches path:MENU, phases:RESULTFILE and since:COUNT
// (the parent's performance counter just before it created the process).
int RunStartupPhases(const std::string& resultFile);

// In the parent: the median of each step over `repeats` fresh processes.
std::vector<StartupPhase> MeasureStartupPhases(const std::string& menuFile,
                                               const std::string& folder, int repeats);
