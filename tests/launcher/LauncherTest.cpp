// The loader, the watch and the handlers, driven in-process against the real Windows API:
// real menu files in a temporary folder, the shell's image list, a real tray icon.
#include "launcher/Commands.h"
#include "launcher/LauncherState.h"
#include "launcher/MenuLoader.h"
#include "tests/support/TestSupport.h"
#include "utility/Files.h"
#include "utility/Shell.h"
#include "utility/WinText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The tree as text: one line per item, two blanks of indent per level.
//   caption #tag        an entry of the file (TApp::ItemClick, the image list)
//   caption #2 fixed    "Run..." (TApp::FixedClick, no image list)
//   caption {           a submenu
//   -                   a separator
void DumpItems(const TMinMenuItem* menu, int depth, std::string& out) {
    for (const TMinMenuItem* item : menu->Items) {
        out += std::string(2 * depth, ' ');
        if (item->Count() > 0) {
            out += item->Caption + " {\n";
            DumpItems(item, depth + 1, out);
        } else if (item->Caption == "-" && !item->OnClick) {
            out += "-\n";
        } else if (!item->OnClick) {
            out += item->Caption + " (empty submenu)\n";
        } else if (item->ImageList == nullptr) {
            out += item->Caption + " #" + std::to_string(item->Tag) + " fixed\n";
        } else {
            out += item->Caption + " #" + std::to_string(item->Tag) + "\n";
        }
    }
}

std::string Dump() {
    std::string out;
    DumpItems(MainMenu->Items.get(), 0, out);
    return out;
}

bool IconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) {
        return false;
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

// Sets a file's last write to noon of a day in the given year, far from "now".
void SetWriteYear(const std::string& path, WORD year) {
    const SYSTEMTIME noon = {year, 6, 0, 15, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&noon, &time);
    ASSERT_TRUE(SetLastWriteTime(path, time));
}

class Launcher : public ::testing::Test {
  protected:
    void SetUp() override {
        Application = new TApp("launcher tests");
        ImageList = new TMinImageList();
        ASSERT_TRUE(ImageList->LoadSystemImageList(true));
        DefaultIcon = LoadIconW(nullptr, IDI_APPLICATION);
        MenuFileName = folder / "apps.ini";
        MenuFileTime = 0;
        Commands.clear();
        CustomIcon = nullptr;
        WriteBytes(folder / "tools.ico", ReadBytes(BuildTreePath(OSTREL_ICON_FILE)));
    }

    void TearDown() override {
        // Without a tray icon nobody owns the loaded image.
        if (!TrayIcon && CustomIcon) {
            DestroyIcon(CustomIcon);
        }
        delete Application;
        Application = nullptr;
        MainMenu = nullptr;
        TrayMenu = nullptr;
        TrayIcon = nullptr;
        ImageList = nullptr;
        CustomIcon = nullptr;
    }

    void LoadFile(const std::string& text) {
        WriteBytes(MenuFileName, text);
        LoadMenu();
    }

    void ShowTrayIcon() {
        TrayIcon = new TMinTrayIcon(DefaultIcon, true, "launcher tests");
        TrayIcon->SetVisible(true);
    }

    TestFolder folder;
};

TEST_F(Launcher, BuildsTheWorkedExample) {
    LoadFile("; Launcher menu\r\n"
             "@ICON = " +
             (folder / "tools.ico") +
             "\r\n"
             "Notepad=notepad.exe\r\n"
             "Calculator = calc.exe\r\n"
             "@sep\r\n"
             "[Documents\r\n"
             "Reports=C:\\Users\\Me\\Documents\\Reports\r\n"
             "Budget=C:\\Data\\Budget.xlsx\r\n"
             "]\r\n"
             "\r\n"
             "Console=cmd.exe /k echo a=b\r\n");

    EXPECT_EQ(Dump(), "Notepad #2\n"
                      "Calculator #3\n"
                      "-\n"
                      "Documents {\n"
                      "  Reports #4\n"
                      "  Budget #5\n"
                      "Console #6\n"
                      "-\n"
                      "Run... #2 fixed\n");
    EXPECT_EQ(Commands, (TStringDynArray{"", "", "notepad.exe", "calc.exe",
                                         "C:\\Users\\Me\\Documents\\Reports",
                                         "C:\\Data\\Budget.xlsx", "cmd.exe /k echo a=b"}));

    // Image indexes come from the shell for the resolved file; a missing path gives 0.
    const TMinMenuItem* notepad = MainMenu->Items->Items[0];
    std::string notepadPath;
    ASSERT_TRUE(LocateCommand("notepad.exe", notepadPath));
    EXPECT_GT(notepad->ImageIndex, 0);
    EXPECT_EQ(notepad->ImageIndex, ImageList->IconIndexOf(notepadPath));
    EXPECT_EQ(notepad->ImageList, ImageList);
    EXPECT_EQ(MainMenu->Items->Items[3]->Items[1]->ImageIndex, 0);
    EXPECT_EQ(MainMenu->Items->Items.back()->ImageIndex, -1);

    // No tray icon yet (as at start-up): the icon is only recorded.
    ASSERT_NE(CustomIcon, nullptr);
    EXPECT_TRUE(IconAlive(CustomIcon));
    EXPECT_GT(MenuFileTime, 0);
}

TEST_F(Launcher, EntriesCarryTheShellIconOfTheirFile) {
    LoadFile("Folder=C:\\windows\r\nMissing=C:\\nowhere\\x.exe\r\n[Sub\r\n]");
    const std::vector<TMinMenuItem*>& items = MainMenu->Items->Items;
    EXPECT_GT(items[0]->ImageIndex, 0);
    EXPECT_EQ(items[0]->ImageIndex, ImageList->IconIndexOf("C:\\windows"));
    EXPECT_EQ(items[1]->ImageIndex, 0) << "the shell knows no icon for a missing file";
    EXPECT_EQ(items[2]->ImageIndex, -1);
    EXPECT_EQ(items[2]->ImageList, nullptr);

    // Without the system image list no entry asks for an icon.
    delete ImageList;
    ImageList = nullptr;
    LoadFile("Folder=C:\\windows");
    EXPECT_EQ(MainMenu->Items->Items[0]->ImageIndex, -1);
    EXPECT_EQ(MainMenu->Items->Items[0]->ImageList, nullptr);
}

TEST_F(Launcher, HandlesEveryKindOfFile) {
    struct Case {
        const char* name;
        std::string text;
        const char* tree;
    };
    const Case cases[] = {
        {"empty file", "", "Run... #2 fixed\n"},
        {"only comments and blanks", "; one\r\n\r\n   \r\n\t; two\r\n", "Run... #2 fixed\n"},
        {"UTF-8 mark and LF line ends",
         "\xEF\xBB\xBF"
         "A=a.exe\nB=b.exe\n",
         "A #2\nB #3\n-\nRun... #2 fixed\n"},
        {"UTF-16 stops at its first zero byte",
         std::string("\xFF\xFE"
                     "A\0=\0x\0",
                     8),
         "\xFF\xFE"
         "A #2\n-\nRun... #2 fixed\n"},
        {"last line @SEP", "A=a\r\n@SEP", "A #2\n-\n-\nRun... #2 fixed\n"},
        {"bracket belongs to the caption", "[Tools]\r\nA=a\r\n]",
         "Tools] {\n  A #2\n-\nRun... #2 fixed\n"},
        {"caption starting with a blank", "[ Tools\r\nA=a\r\n]",
         " Tools {\n  A #2\n-\nRun... #2 fixed\n"},
        {"lone bracket", "[\r\nA=a\r\n]", "  {\n  A #2\n-\nRun... #2 fixed\n"},
        {"surplus closing brackets", "]\r\n]\r\nA=a\r\n]", "A #2\n-\nRun... #2 fixed\n"},
        {"unclosed submenu gets Run...", "A=a\r\n[Sub\r\nB=b",
         "A #2\nSub {\n  B #3\n  -\n  Run... #2 fixed\n"},
        {"submenu without children", "[Empty\r\n]", "Empty (empty submenu)\n-\nRun... #2 fixed\n"},
        {"entries without command or caption", "Readme\r\n=calc.exe",
         "Readme #2\n #3\n-\nRun... #2 fixed\n"},
        {"separator variants", "@ SEP\r\n@SEPARATOR\r\n@Sep", "-\n-\nRun... #2 fixed\n"},
        {"a caption \"-\" is an entry with a tag", "-=x", "- #2\n-\nRun... #2 fixed\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadFile(c.text);
        EXPECT_EQ(Dump(), c.tree);
    }
    LoadFile("Readme\r\n=calc.exe\r\nBudget=\"C:\\My Data\\b.xlsx\"");
    EXPECT_EQ(Commands, (TStringDynArray{"", "", "", "calc.exe", "\"C:\\My Data\\b.xlsx\""}));
}

TEST_F(Launcher, RemembersElevenLevelsOfSubmenus) {
    std::string text;
    for (int level = 1; level <= 12; ++level) {
        text += "[L" + std::to_string(level) + "\r\n";
    }
    text += "First=a\r\n]\r\nSecond=b\r\n";
    LoadFile(text);

    const TMinMenuItem* menu = MainMenu->Items.get();
    std::vector<const TMinMenuItem*> levels; // levels[k] is the submenu of level k + 1
    while (!menu->Items.empty() && menu->Items[0]->Caption[0] == 'L') {
        menu = menu->Items[0];
        levels.push_back(menu);
    }
    ASSERT_EQ(levels.size(), 12u);
    ASSERT_EQ(levels[11]->Count(), 1);
    EXPECT_EQ(levels[11]->Items[0]->Caption, "First");
    // The twelfth start was not remembered, so its "]" returns to the tenth level.
    ASSERT_EQ(levels[9]->Count(), 4); // L11, Second, separator, Run...
    EXPECT_EQ(levels[9]->Items[1]->Caption, "Second");
    EXPECT_EQ(levels[9]->Items[3]->Caption, "Run...");
    EXPECT_EQ(levels[10]->Count(), 1);
}

TEST_F(Launcher, IconLinesSetAndResetTheTrayIcon) {
    ShowTrayIcon();
    const std::string icon = folder / "tools.ico";
    WriteBytes(folder / "not-an-icon.ico", "this is text");

    LoadFile("@ICON=\"" + icon + "\"\r\nA=a");
    const HICON first = TrayIcon->Icon;
    EXPECT_NE(first, DefaultIcon);
    EXPECT_EQ(first, CustomIcon);
    EXPECT_FALSE(TrayIcon->SharedIcon);

    // A second icon line that loads wins; the first image goes with the reload.
    LoadFile("@ICON=" + icon + "\r\n@ICON=" + icon + "\r\nA=a");
    EXPECT_NE(TrayIcon->Icon, first);
    EXPECT_EQ(TrayIcon->Icon, CustomIcon);
    EXPECT_FALSE(IconAlive(first));
    const HICON second = TrayIcon->Icon;

    // Lines that load nothing, and a file without icon lines, bring the default back.
    const char* const noIcon[] = {"@ICON\r\nA=a", "@ICON=\r\nA=a", "@ICON=missing.ico\r\nA=a",
                                  "A=a"};
    for (const char* text : noIcon) {
        SCOPED_TRACE(text);
        LoadFile(text);
        EXPECT_EQ(TrayIcon->Icon, DefaultIcon);
        EXPECT_TRUE(TrayIcon->SharedIcon);
    }
    EXPECT_FALSE(IconAlive(second));
    EXPECT_TRUE(IconAlive(DefaultIcon));

    // A file that is no icon cancels an earlier line's icon.
    LoadFile("@ICON=" + icon + "\r\n@ICON=" + (folder / "not-an-icon.ico") + "\r\nA=a");
    EXPECT_EQ(TrayIcon->Icon, DefaultIcon);
}

TEST_F(Launcher, TimerTickReloadsOnEveryChangeOfTheFileTime) {
    LoadFile("A=a");
    const auto markMenu = [] { MainMenu->Items->Add("marker", {}, nullptr, -1, 0); };
    const auto marked = [] { return MainMenu->Items->Items.back()->Caption == "marker"; };

    markMenu();
    Application->TimerTick(nullptr);
    EXPECT_TRUE(marked()) << "unchanged file reloaded";

    WriteBytes(MenuFileName, "B=b");
    Application->TimerTick(nullptr);
    EXPECT_EQ(Dump(), "B #2\n-\nRun... #2 fixed\n");

    markMenu();
    SetWriteYear(MenuFileName, 1999); // back in time counts as a change too
    Application->TimerTick(nullptr);
    EXPECT_FALSE(marked());

    const HICON iconBefore = CustomIcon;
    DeleteFileW(WStr(Utf8ToUtf16(MenuFileName)));
    Application->TimerTick(nullptr);
    EXPECT_EQ(Dump(), "");
    EXPECT_EQ(Commands.size(), 2u);
    EXPECT_EQ(MenuFileTime, 0);
    EXPECT_EQ(CustomIcon, iconBefore);

    WriteBytes(MenuFileName, "C=c");
    Application->TimerTick(nullptr);
    EXPECT_EQ(Dump(), "C #2\n-\nRun... #2 fixed\n");
}

TEST_F(Launcher, AFileHeldOpenKeepsTheMenuUntilItIsFree) {
    LoadFile("A=a");
    const double seen = MenuFileTime;
    WriteBytes(MenuFileName, "B=b");

    {
        // Another process holds the file open without sharing, as some editors and scanners do.
        const HeldFile held(MenuFileName);
        ASSERT_TRUE(held.IsHeld());
        Application->TimerTick(nullptr);
        EXPECT_EQ(Dump(), "A #2\n-\nRun... #2 fixed\n");
        EXPECT_EQ(Commands, (TStringDynArray{"", "", "a"}));
        EXPECT_EQ(MenuFileTime, seen) << "the new time must not count as seen";
    }
    Application->TimerTick(nullptr);
    EXPECT_EQ(Dump(), "B #2\n-\nRun... #2 fixed\n");
}

TEST_F(Launcher, ResolvesBareProgramNamesOnly) {
    std::string notepad;
    ASSERT_TRUE(LocateCommand("notepad.exe", notepad));
    struct Case {
        std::string command, fileName, parameters;
    };
    const Case cases[] = {
        {"notepad.exe C:\\a.txt", notepad, "C:\\a.txt"},
        {"\"notepad.exe\" -x \"a b\"", notepad, "-x \"a b"},
        {"C:\\windows\\system32", "C:\\windows\\system32", ""},
        {"sub\\tool.exe", "sub\\tool.exe", ""},
        {"nosuchprogram.exe x", "nosuchprogram.exe", "x"},
        {"notepad", "notepad", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const CommandParts parts = SplitCommand(c.command);
        EXPECT_EQ(parts.fileName, c.fileName);
        EXPECT_EQ(parts.parameters, c.parameters);
        EXPECT_EQ(CommandFileName(c.command), c.fileName);
    }
}

class Handlers : public Launcher {
  protected:
    TMinMenuItem* Item(std::int32_t tag) { return MainMenu->Items->Add("x", {}, nullptr, -1, tag); }
    std::vector<Record> WaitForRecords(std::size_t count) {
        std::vector<Record> records;
        WaitUntil([&] {
            records = ReadRecords(recordFile);
            return records.size() >= count;
        });
        return records;
    }
    const std::string recordFile = folder / "record.txt";
    const RecordFileVariable recordVariable{recordFile};
};

TEST_F(Handlers, ItemClickLaunchesTheCommandOfItsTag) {
    const std::string blanks = folder / "dir with blanks";
    MakeFolder(blanks);
    const std::string recorder = blanks + "\\recorder.exe";
    CopyFileW(WStr(Utf8ToUtf16(RecorderExe())), WStr(Utf8ToUtf16(recorder)), FALSE);
    LoadFile("Rec=\"" + recorder + "\" alpha \"b c\"\r\nOther=nothing.exe");

    Application->ItemClick(MainMenu->Items->Items[0]);
    const std::vector<Record> records = WaitForRecords(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].at("arg0"), recorder);
    EXPECT_EQ(records[0].at("argc"), "2");
    EXPECT_EQ(records[0].at("arg1"), "alpha");
    EXPECT_EQ(records[0].at("arg2"), "b c");
    EXPECT_EQ(records[0].at("cwd"), blanks);
}

TEST_F(Handlers, FixedClickActsOnItsTag) {
    LoadFile("");
    // "Configuration..." hands the menu file to the shell; a program stands in for it here,
    // so the test sees what the shell was asked to open.
    MenuFileName = RecorderExe();
    Application->FixedClick(Item(TagConfiguration));
    const std::vector<Record> records = WaitForRecords(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].at("argc"), "0");

    // Other tags do nothing: no launch, the loop goes on.
    Application->FixedClick(Item(0));
    Application->FixedClick(Item(7));
    EXPECT_TRUE(IsWindow(Application->Handle));

    // "Exit" ends the message loop.
    Application->FixedClick(Item(TagExit));
    Application->Run();
    EXPECT_FALSE(IsWindow(Application->Handle));
    EXPECT_EQ(ReadRecords(recordFile).size(), 1u);
}

} // namespace
