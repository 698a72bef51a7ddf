// Program entry of OstrelLauncher.exe.
#include "launcher/Startup.h"
#include "utility/Errors.h"
#include "utility/Library.h"
#include "utility/Utf8Win.h"

#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StartUtilityLibrary();
    try {
        RunLauncher();
    } catch (const std::exception& e) {
        // The one report of the launcher's own: something unexpected ended it.
        ShowError("Ostrel Launcher stopped because of an unexpected error: " +
                  ExceptionMessageUtf8(e));
        return 1;
    } catch (...) {
        ShowError("Ostrel Launcher stopped because of an unexpected error.");
        return 1;
    }
    return 0;
}
