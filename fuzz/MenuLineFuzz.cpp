// One line of the menu file: what kind it is and its parts, and how an entry's command comes
// apart into file name and parameters. Input: the line.

#include "fuzz/FuzzSupport.h"
#include "launcher/CommandSplit.h"
#include "launcher/MenuSyntax.h"
#include "utility/Strings.h"

namespace {

bool SameParse(const MenuLine& a, const MenuLine& b) {
    return a.kind == b.kind && a.caption == b.caption && a.command == b.command && a.path == b.path;
}

void CheckDirective(std::string_view trimmed, const MenuLine& parsed) {
    const std::string_view rest = trimmed.substr(1);
    const std::size_t equals = rest.find('=');
    const std::string key = Trim(rest.substr(0, equals));
    const std::string value = equals == std::string_view::npos ? "" : Trim(rest.substr(equals + 1));

    const bool separator = AsciiUpper(rest) == "SEP";
    const bool icon = !separator && AsciiUpper(key) == "ICON";
    Require(separator == (parsed.kind == MenuLineKind::Separator),
            "a separator is @SEP in any case, with nothing else on the line");
    Require(icon == (parsed.kind == MenuLineKind::Icon),
            "an icon line is a directive whose key before its first \"=\" is ICON");
    Require(separator || icon || parsed.kind == MenuLineKind::Ignored,
            "any other directive is ignored");
    Require(parsed.caption.empty() && parsed.command.empty(), "a directive has no caption");
    if (!icon) {
        Require(parsed.path.empty(), "only an icon line has a path");
        return;
    }
    Require(parsed.path == Unquote(value, '"'),
            "the icon path is the trimmed value with its enclosing quotes removed");
    Require(parsed.path.empty() || ((!IsBlank(parsed.path.front()) || value.front() == '"') &&
                                    (!IsBlank(parsed.path.back()) || value.back() == '"')),
            "an icon path ends in a blank only where a quote was taken off");
}

void CheckParse(std::string_view line) {
    const MenuLine parsed = ParseMenuLine(line);
    const std::string trimmed = Trim(line);
    Require(SameParse(parsed, ParseMenuLine(trimmed)) &&
                SameParse(parsed, ParseMenuLine(" \t" + std::string(line) + "\r\n")),
            "blanks around a line do not matter");

    if (trimmed.empty() || trimmed.front() == ';') {
        Require(SameParse(parsed, MenuLine{}), "blank and comment lines are ignored");
        return;
    }
    switch (trimmed.front()) {
    case '@':
        CheckDirective(trimmed, parsed);
        return;
    case '[':
        Require(parsed.kind == MenuLineKind::SubmenuStart, "\"[\" starts a submenu");
        Require(parsed.caption == (trimmed.size() == 1 ? " " : trimmed.substr(1)),
                "a submenu's caption is the rest of the line as written, else one space");
        Require(parsed.command.empty() && parsed.path.empty(), "a submenu has no command");
        return;
    case ']':
        Require(SameParse(parsed, MenuLine{MenuLineKind::SubmenuEnd, "", "", ""}),
                "\"]\" ends a submenu and the rest of the line is ignored");
        return;
    default:
        Require(parsed.kind == MenuLineKind::Entry, "every other line is an entry");
        Require(!HasBlankEnds(parsed.caption) && !HasBlankEnds(parsed.command),
                "an entry's caption and command have no blanks at their ends");
        Require(parsed.caption.find('=') == std::string::npos,
                "an entry's caption ends before the first \"=\"");
        Require(trimmed.find('=') == std::string::npos
                    ? parsed.caption == trimmed && parsed.command.empty()
                    : IsCutAround(trimmed, parsed.caption, "=", parsed.command),
                "caption, blanks, \"=\", blanks and command make the line");
        Require(parsed.path.empty(), "an entry has no path");
        return;
    }
}

// The command arrives trimmed, as the menu loader hands it over.
void CheckCommand(std::string_view command) {
    const CommandParts parts = SplitCommandText(command);
    Require(!HasBlankEnds(parts.fileName), "the file name has no blanks at its ends");
    Require(IsSubstring(parts.fileName, command) && IsSubstring(parts.parameters, command),
            "file name and parameters are pieces of the command");
    if (command.starts_with('"')) {
        Require(parts.fileName.find('"') == std::string::npos,
                "a quoted file name runs to the next quote");
        const std::size_t closing = command.find('"', 1);
        Require(closing != std::string_view::npos || parts.parameters.empty(),
                "without a closing quote there are no parameters");
        Require(closing == std::string_view::npos ||
                    IsSubstring(parts.parameters, command.substr(closing + 1)),
                "the parameters come after the closing quote");
        return;
    }
    Require(parts.fileName.find(' ') == std::string::npos, "a space ends an unquoted file name");
    if (command.find(' ') == std::string_view::npos) {
        Require(parts.fileName == command && parts.parameters.empty(),
                "a command without a space is all file name");
    }
}

// Commands put together from a file name and parameters come apart into them again.
void CheckComposedCommands(std::string_view file, std::string_view parameters) {
    std::string bare(file);
    std::erase(bare, '"');
    const std::string expectedFile = Trim(bare);
    const std::string expectedParameters = Unquote(Trim(parameters), '"');

    const CommandParts quoted =
        SplitCommandText(Trim("\"" + bare + "\" " + std::string(parameters)));
    Require(quoted.fileName == expectedFile && quoted.parameters == expectedParameters,
            "a quoted file name and its parameters come back");

    if (!expectedFile.empty() && expectedFile.find(' ') == std::string::npos) {
        const CommandParts plain =
            SplitCommandText(Trim(expectedFile + " " + std::string(parameters)));
        Require(plain.fileName == expectedFile && plain.parameters == expectedParameters,
                "a file name without a space and its parameters come back");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    CheckParse(line);

    const std::string trimmed = Trim(line);
    CheckCommand(trimmed);
    const MenuLine parsed = ParseMenuLine(line);
    if (parsed.kind == MenuLineKind::Entry) {
        CheckCommand(parsed.command);
        CheckComposedCommands(parsed.caption, parsed.command);
    }
    CheckComposedCommands(line.substr(0, line.size() / 2), line.substr(line.size() / 2));
    return 0;
}
