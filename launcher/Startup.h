// The launcher's run from start-up to shutdown.
#pragma once

void CreateTrayMenu();
// Chooses MenuFileName: the path switch when it names a file, else apps.ini beside the
// program, created from DefaultApps.ini when missing.
void ChooseMenuFile();
// Start-up, the message loop until "Exit", and the teardown.
void RunLauncher();
