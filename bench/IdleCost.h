// The CPU time an idle launcher uses. Under Wine GetProcessTimes reports nothing for another
// process, so the real launcher code runs in a child of this program that measures itself.
#pragma once

#include <string>

struct IdleCpu {
    double launcherMsPerMinute = 0;  // RunLauncher: start-up, message loop, one-second watch
    double frameworkMsPerMinute = 0; // an application object with a timer that does nothing
};

// Runs in the child, started with idle:RESULTFILE, and path:MENU for the launcher. A second
// thread waits until the message loop answers, takes the process's CPU time after a settling
// second and after a minute, writes the difference to the file and closes the hidden window,
// which ends the loop.
int RunIdleChild(const std::string& resultFile);

// Both children side by side, in the same minute.
IdleCpu MeasureIdleCpu(const std::string& menuFile, const std::string& folder);
