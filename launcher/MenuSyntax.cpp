#include "launcher/MenuSyntax.h"

#include "utility/Strings.h"

MenuLine ParseMenuLine(std::string_view rawLine) {
    MenuLine result;
    const std::string line = Trim(rawLine);
    if (line.empty() || line[0] == ';') {
        return result;
    }
    const std::string_view rest = std::string_view(line).substr(1);
    switch (line[0]) {
    case '@':
        // The whole rest must be SEP: "@ SEP" and "@SEPARATOR" are not separators.
        if (SameTextAscii(rest, "SEP")) {
            result.kind = MenuLineKind::Separator;
        } else if (SameTextAscii(TextBefore(rest, "="), "ICON")) {
            result.kind = MenuLineKind::Icon;
            result.path = Unquote(TextAfter(rest, "="), '"');
        }
        break;
    case '[':
        // The caption is taken as written; a "]" at its end belongs to it.
        result.kind = MenuLineKind::SubmenuStart;
        result.caption = rest.empty() ? std::string(" ") : std::string(rest);
        break;
    case ']':
        result.kind = MenuLineKind::SubmenuEnd;
        break;
    default:
        result.kind = MenuLineKind::Entry;
        result.caption = TextBefore(line, "=");
        result.command = TextAfter(line, "=");
        break;
    }
    return result;
}
