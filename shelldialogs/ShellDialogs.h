// Dialogs of the Windows shell that are exported only by ordinal, reached at run time.
#pragma once

#include <windows.h>

// The shell's Run dialog (shell32 ordinal 61): owner, icon, working folder, title, prompt,
// flags.
using RunFileDlgProc = void(WINAPI*)(HWND owner, HICON icon, LPCWSTR folder, LPCWSTR title,
                                     LPCWSTR prompt, UINT flags);

extern HMODULE Shell32Handle; // null while not loaded
extern RunFileDlgProc RunFileDlg;

bool ShellDialogsLoaded();
// Loads shell32.dll from the system folder once; true when it is loaded afterwards.
bool LoadShellDialogs();
// True when it released the library.
bool UnloadShellDialogs();
// Shows the Run dialog owned by the foreground window; does nothing when it is unavailable.
void RunDialog();
