#include "launcher/Commands.h"

#include "utility/Files.h"
#include "utility/Paths.h"
#include "utility/Shell.h"

CommandParts SplitCommand(const std::string& command) {
    CommandParts parts = SplitCommandText(command);
    std::string found;
    if (!FileExistsChecked(parts.fileName, false) && FileDir(parts.fileName).empty() &&
        LocateCommand(parts.fileName, found)) {
        parts.fileName = found;
    }
    return parts;
}

std::string CommandFileName(const std::string& command) {
    return SplitCommand(command).fileName;
}
