#include "launcher/CommandSplit.h"

#include "utility/Strings.h"

CommandParts SplitCommandText(std::string_view command) {
    CommandParts parts;
    if (!command.empty() && command[0] == '"') {
        // A quoted file runs to the next quote; no closing quote makes the rest the file.
        const std::string_view rest = command.substr(1);
        parts.parameters = Unquote(TextAfter(rest, "\""), '"');
        parts.fileName = TextBefore(rest, "\"");
    } else {
        // Only a space separates: a tab belongs to the file name.
        parts.fileName = TextBefore(command, " ");
        parts.parameters = Unquote(TextAfter(command, " "), '"');
    }
    return parts;
}
