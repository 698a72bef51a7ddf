// Program entry of OstrelLauncher.exe.
#include "launcher/Startup.h"
#include "utility/Errors.h"
#include "utility/Library.h"
#include "utility/Utf8Win.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

// A GUI program has no console for the default handler's text, and that handler brings the
// C++ demangler and printf along, a quarter of the exe. Defined here, the library's copy is
// never linked in; std::terminate still ends the program.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

namespace {

// Libraries loaded from now on come from System32 only, never from the program's folder (a
// download folder, a USB stick) or the current one. Windows 7 without KB2533623 lacks
// SetDefaultDllDirectories, so it is looked up; a static import would stop the exe from
// starting there. The fallback at least takes the current folder out of the search.
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesProc>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories == nullptr ||
        !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryW(L"");
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
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
