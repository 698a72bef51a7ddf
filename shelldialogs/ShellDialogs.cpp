#include "shelldialogs/ShellDialogs.h"

HMODULE Shell32Handle = nullptr;
RunFileDlgProc RunFileDlg = nullptr;

namespace {

// Of the shell's ordinal-only dialogs only the Run dialog is called, so only it is looked up.
constexpr WORD RunFileDlgOrdinal = 61;

// Releases the library when the program ends.
struct ShellDialogsFinalization {
    ShellDialogsFinalization() = default;
    ShellDialogsFinalization(const ShellDialogsFinalization&) = delete;
    ShellDialogsFinalization& operator=(const ShellDialogsFinalization&) = delete;
    ~ShellDialogsFinalization() { UnloadShellDialogs(); }
} finalization;

} // namespace

bool ShellDialogsLoaded() {
    return Shell32Handle != nullptr;
}

bool LoadShellDialogs() {
    if (ShellDialogsLoaded()) {
        return true;
    }
    // Only from the system folder: a shell32.dll beside the program is never loaded.
    Shell32Handle = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (Shell32Handle == nullptr) {
        return false;
    }
    RunFileDlg = reinterpret_cast<RunFileDlgProc>(reinterpret_cast<void*>(
        GetProcAddress(Shell32Handle, MAKEINTRESOURCEA(RunFileDlgOrdinal))));
    return true;
}

bool UnloadShellDialogs() {
    if (Shell32Handle == nullptr) {
        return false;
    }
    const bool released = FreeLibrary(Shell32Handle) != FALSE;
    if (released) {
        Shell32Handle = nullptr;
    }
    return released;
}

void RunDialog() {
    LoadShellDialogs();
    if (RunFileDlg != nullptr) {
        RunFileDlg(GetForegroundWindow(), nullptr, nullptr, nullptr, nullptr, 0);
    }
}
