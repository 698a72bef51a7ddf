// What one line of the menu file means. Pure text work, so it is tested and fuzzed on its own;
// the loader acts on the result.
#pragma once

#include <string>
#include <string_view>

enum class MenuLineKind {
    Ignored,      // blank, comment or a directive we do not know
    Separator,    // @SEP
    Icon,         // @ICON=path
    SubmenuStart, // [Caption
    SubmenuEnd,   // ]
    Entry,        // Caption=command
};

struct MenuLine {
    MenuLineKind kind = MenuLineKind::Ignored;
    std::string caption; // entries and submenus
    std::string command; // entries: the text after the first "=", trimmed
    std::string path;    // icon lines: the file, quotes removed
};

MenuLine ParseMenuLine(std::string_view line);
