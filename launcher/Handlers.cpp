// What the launcher does when the user acts: tray clicks and menu choices.
#include "launcher/Commands.h"
#include "launcher/LauncherState.h"
#include "shelldialogs/ShellDialogs.h"
#include "utility/Shell.h"

bool TApp::TrayMouse(TObject*, std::uint16_t message) {
    if (message == WM_LBUTTONUP) {
        MainMenu->Popup();
    }
    // Never handled here: the framework goes on and shows TrayMenu on a right click.
    return false;
}

void TApp::ItemClick(TObject* sender) {
    const std::int32_t tag = static_cast<TMinMenuItem*>(sender)->Tag;
    if (tag < 0 || static_cast<std::size_t>(tag) >= Commands.size()) {
        return;
    }
    const CommandParts parts = SplitCommand(Commands[tag]);
    // A failed launch is deliberately silent, as every failure of the launcher is.
    ShellOpen(parts.fileName, parts.parameters, "");
}

void TApp::FixedClick(TObject* sender) {
    switch (static_cast<TMinMenuItem*>(sender)->Tag) {
    case TagExit:
        Terminate();
        break;
    case TagRun:
        RunDialog();
        break;
    case TagConfiguration:
        // The program associated with the file's type opens it; the timer sees the save.
        ShellOpen(MenuFileName, "", "");
        break;
    default:
        break;
    }
}
