#include "launcher/MenuLoader.h"

#include "launcher/Commands.h"
#include "launcher/LauncherState.h"
#include "launcher/MenuSyntax.h"
#include "utility/Files.h"
#include "utility/Handle.h"
#include "utility/Strings.h"
#include "utility/TextFile.h"
#include "utility/WinText.h"

void MenuNesting::PushMenu() {
    if (count < Limit) {
        remembered[count++] = current;
    }
}

void MenuNesting::PopMenu() {
    if (count > 0) {
        current = remembered[--count];
    }
}

std::int32_t AddCommand(const std::string& command) {
    Commands.push_back(command);
    return static_cast<std::int32_t>(Commands.size() - 1);
}

namespace {

// Entries 0 and 1 stay empty, so the first command's tag is 2.
void ResetMenu() {
    Commands.resize(2);
    Commands[0].clear();
    Commands[1].clear();
    MainMenu->Items->Clear();
}

HICON LoadIconFile(const std::string& path) {
    // The path goes to the system as written: a relative one is taken from the current folder.
    return static_cast<HICON>(
        LoadImageW(nullptr, WStr(Utf8ToUtf16(path)), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
}

void AddEntry(TMinMenuItem* menu, const MenuLine& line) {
    const std::int32_t imageIndex =
        ImageList ? ImageList->IconIndexOf(CommandFileName(line.command)) : -1;
    const std::int32_t tag = AddCommand(line.command);
    menu->Add(line.caption, TMinNotifyEvent::Bind<&TApp::ItemClick>(Application), ImageList,
              imageIndex, tag);
}

// The last icon line that loads decides; without one the tray shows the default icon again.
void ApplyTrayIcon(IconHandle newIcon) {
    if (newIcon) {
        CustomIcon = newIcon.get();
        if (TrayIcon) {
            TrayIcon->SetIcon(newIcon.release(), false);
        } else {
            newIcon.release(); // start-up hands CustomIcon to the tray icon once it exists
        }
    } else if (TrayIcon && TrayIcon->Icon != DefaultIcon) {
        TrayIcon->SetIcon(DefaultIcon, true);
    }
}

} // namespace

void LoadMenu() {
    if (!MainMenu) {
        MainMenu = new TMinPopupMenu();
    }
    if (!FileExistsChecked(MenuFileName, false)) {
        // Deleting the file empties the menu; the tray icon keeps its image.
        ResetMenu();
        MenuFileTime = 0;
        return;
    }
    // Taken before the read, so a save during the read is seen by the next tick.
    const double fileTime = FileModifiedTime(MenuFileName);
    std::string text;
    switch (ReadTextFile(MenuFileName, text)) {
    case TextFileStatus::Unreadable:
        // Held by an editor or a scanner: keep the menu and try again at the next tick.
        return;
    case TextFileStatus::Missing:
        ResetMenu();
        MenuFileTime = 0;
        return;
    case TextFileStatus::Loaded:
        break;
    }
    MenuFileTime = fileTime;
    ResetMenu();

    MenuNesting nesting;
    nesting.current = MainMenu->Items.get();
    IconHandle newIcon;
    for (const std::string& rawLine : SplitString(text, "\r\n")) {
        const MenuLine line = ParseMenuLine(rawLine);
        switch (line.kind) {
        case MenuLineKind::Ignored:
            break;
        case MenuLineKind::Separator:
            nesting.current->AddSeparator();
            break;
        case MenuLineKind::Icon:
            if (FileExistsChecked(line.path, false)) {
                // A later icon line replaces (and releases) what an earlier one loaded.
                newIcon.reset(LoadIconFile(line.path));
            }
            break;
        case MenuLineKind::SubmenuStart:
            nesting.PushMenu();
            nesting.current = nesting.current->Add(line.caption, {}, nullptr, -1, 0);
            break;
        case MenuLineKind::SubmenuEnd:
            nesting.PopMenu();
            break;
        case MenuLineKind::Entry:
            AddEntry(nesting.current, line);
            break;
        }
    }
    // "Run..." closes the menu that is current at the end: a submenu left open receives it.
    if (nesting.current->Count() > 0) {
        nesting.current->AddSeparator();
    }
    nesting.current->Add("Run...", TMinNotifyEvent::Bind<&TApp::FixedClick>(Application), nullptr,
                         -1, TagRun);
    ApplyTrayIcon(std::move(newIcon));
}

void TApp::TimerTick(TObject*) {
    // Any change counts, a move back in time too; a missing file reads as 0.
    if (FileModifiedTime(MenuFileName) != MenuFileTime) {
        LoadMenu();
    }
}
