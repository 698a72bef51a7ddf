#include "shelldialogs/ShellDialogs.h"

#include <cwchar>

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

// Only from the system folder: a shell32.dll beside the program is never loaded. Windows 7
// without KB2533623 rejects the search flag; a full path into the system folder is as safe.
HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return module;
    }
    if (GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    const size_t nameLength = wcslen(name);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH) {
        return nullptr;
    }
    path[length] = L'\\';
    wmemcpy(path + length + 1, name, nameLength + 1);
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

bool ShellDialogsLoaded() {
    return Shell32Handle != nullptr;
}

bool LoadShellDialogs() {
    if (ShellDialogsLoaded()) {
        return true;
    }
    Shell32Handle = LoadSystemLibrary(L"shell32.dll");
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
