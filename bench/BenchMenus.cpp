#include "bench/BenchMenus.h"

#include "tests/support/TestSupport.h"
#include "utility/WinText.h"

namespace {

constexpr int SubmenuSize = 20;
constexpr int SubmenusPerSeparator = 5;
constexpr int Documents = 10;

std::string DocumentPath(const std::string& folder, int number) {
    return folder + "\\Documents\\Report " + std::to_string(number) + ".txt";
}

// Ten kinds of command in turn; the number keeps the parameters of one kind apart.
std::string Command(const std::string& folder, int entry) {
    const std::string number = std::to_string(entry);
    switch (entry % 10) {
    case 0:
        return "notepad.exe";
    case 1:
        return "cmd.exe /k echo " + number;
    case 2:
        return "regedit.exe";
    case 3:
        return "\"C:\\windows\\system32\\taskmgr.exe\"";
    case 4:
        return "C:\\windows\\system32\\control.exe desk.cpl";
    case 5:
        return "C:\\windows";
    case 6:
        return "\"" + DocumentPath(folder, entry % Documents) + "\"";
    case 7:
        return "explorer.exe /e,C:\\";
    case 8:
        return "winver.exe";
    default:
        return "C:\\Programs\\Missing\\tool.exe -x " + number;
    }
}

} // namespace

BenchMenu WriteBenchMenu(const std::string& folder, int entries) {
    const std::string documents = folder + "\\Documents";
    if (GetFileAttributesW(WStr(Utf8ToUtf16(documents))) == INVALID_FILE_ATTRIBUTES) {
        MakeFolder(documents);
        for (int number = 0; number < Documents; ++number) {
            WriteBytes(DocumentPath(folder, number), "quarterly figures\r\n");
        }
    }
    BenchMenu menu;
    menu.path = folder + "\\menu-" + std::to_string(entries) + ".ini";
    std::string text = "; " + std::to_string(entries) + " entries\r\n";
    for (int entry = 0; entry < entries; ++entry) {
        const int submenu = entry / SubmenuSize;
        if (entry % SubmenuSize == 0) {
            if (submenu > 0 && submenu % SubmenusPerSeparator == 0) {
                text += "@SEP\r\n";
            }
            text += "[Group " + std::to_string(submenu + 1) + "\r\n";
        }
        const std::string command = Command(folder, entry);
        text += "Entry " + std::to_string(entry) + " = " + command + "\r\n";
        menu.commands.push_back(command);
        if (entry % SubmenuSize == SubmenuSize - 1 || entry == entries - 1) {
            text += "]\r\n";
        }
    }
    WriteBytes(menu.path, text);
    return menu;
}
