#include "launcher/MenuSyntax.h"
#include "launcher/CommandSplit.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char* line;
    MenuLineKind kind;
    const char* caption;
    const char* command;
    const char* path;
};

TEST(ParseMenuLine, ClassifiesEveryKindOfLine) {
    const LineCase cases[] = {
        {"", MenuLineKind::Ignored, "", "", ""},
        {" \t ", MenuLineKind::Ignored, "", "", ""},
        {"; a comment = with equals", MenuLineKind::Ignored, "", "", ""},
        {"  ;indented comment", MenuLineKind::Ignored, "", "", ""},
        {"@SEP", MenuLineKind::Separator, "", "", ""},
        {"@sep", MenuLineKind::Separator, "", "", ""},
        {"\t@Sep  ", MenuLineKind::Separator, "", "", ""},
        {"@ SEP", MenuLineKind::Ignored, "", "", ""},
        {"@SEPARATOR", MenuLineKind::Ignored, "", "", ""},
        {"@ICON = C:\\Icons\\tools.ico", MenuLineKind::Icon, "", "", "C:\\Icons\\tools.ico"},
        {"@icon=\"C:\\My Icons\\a.ico\"", MenuLineKind::Icon, "", "", "C:\\My Icons\\a.ico"},
        {"@ ICON =x.ico", MenuLineKind::Icon, "", "", "x.ico"},
        {"@ICON", MenuLineKind::Icon, "", "", ""},
        {"@ICON=", MenuLineKind::Icon, "", "", ""},
        {"@ICONS=x.ico", MenuLineKind::Ignored, "", "", ""},
        {"@TITLE=x", MenuLineKind::Ignored, "", "", ""},
        {"[Documents", MenuLineKind::SubmenuStart, "Documents", "", ""},
        {"[Tools]", MenuLineKind::SubmenuStart, "Tools]", "", ""},
        {"[ Tools", MenuLineKind::SubmenuStart, " Tools", "", ""},
        {"[", MenuLineKind::SubmenuStart, " ", "", ""},
        {"  [Padded  ", MenuLineKind::SubmenuStart, "Padded", "", ""},
        {"]", MenuLineKind::SubmenuEnd, "", "", ""},
        {"] anything", MenuLineKind::SubmenuEnd, "", "", ""},
        {"Notepad=notepad.exe", MenuLineKind::Entry, "Notepad", "notepad.exe", ""},
        {"  Calculator = calc.exe  ", MenuLineKind::Entry, "Calculator", "calc.exe", ""},
        {"Console=cmd.exe /k echo a=b", MenuLineKind::Entry, "Console", "cmd.exe /k echo a=b", ""},
        {"Readme", MenuLineKind::Entry, "Readme", "", ""},
        {"=calc.exe", MenuLineKind::Entry, "", "calc.exe", ""},
        {"-=", MenuLineKind::Entry, "-", "", ""},
        {"Budget=\"C:\\My Data\\b.xlsx\"", MenuLineKind::Entry, "Budget", "\"C:\\My Data\\b.xlsx\"",
         ""},
        {"Caf\xC3\xA9=\xD0\xBF.exe", MenuLineKind::Entry, "Caf\xC3\xA9", "\xD0\xBF.exe", ""},
        {"Note ; not a comment=x", MenuLineKind::Entry, "Note ; not a comment", "x", ""},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.line);
        const MenuLine parsed = ParseMenuLine(c.line);
        EXPECT_EQ(parsed.kind, c.kind);
        EXPECT_EQ(parsed.caption, c.caption);
        EXPECT_EQ(parsed.command, c.command);
        EXPECT_EQ(parsed.path, c.path);
    }
}

TEST(ParseMenuLine, ZeroBytesAtTheEndsAreTrimmed) {
    // A zero byte counts as a blank, like every control character.
    const std::string line("\0A=b\0", 5);
    const MenuLine parsed = ParseMenuLine(line);
    EXPECT_EQ(parsed.kind, MenuLineKind::Entry);
    EXPECT_EQ(parsed.caption, "A");
    EXPECT_EQ(parsed.command, "b");
}

struct SplitCase {
    const char* command;
    const char* fileName;
    const char* parameters;
};

TEST(SplitCommandText, SplitsQuotedAndUnquotedCommands) {
    const SplitCase cases[] = {
        {"notepad.exe C:\\a.txt", "notepad.exe", "C:\\a.txt"},
        {"\"C:\\Program Files\\App\\app.exe\" -x", "C:\\Program Files\\App\\app.exe", "-x"},
        {"\"C:\\My Docs\\a.txt\"", "C:\\My Docs\\a.txt", ""},
        {"C:\\Program Files\\App\\app.exe", "C:\\Program", "Files\\App\\app.exe"},
        {"prog \"a b\"", "prog", "a b"},
        {"\"prog\" -x \"a b\"", "prog", "-x \"a b"},
        {"\"C:\\x.exe", "C:\\x.exe", ""},
        {"C:\\Tools", "C:\\Tools", ""},
        {"sub\\tool.exe", "sub\\tool.exe", ""},
        {"", "", ""},
        {"tab\there x", "tab\there", "x"},
        {"\"\"", "", ""},
        {"a   b  c", "a", "b  c"},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.command);
        const CommandParts parts = SplitCommandText(c.command);
        EXPECT_EQ(parts.fileName, c.fileName);
        EXPECT_EQ(parts.parameters, c.parameters);
    }
}

} // namespace
