// Taking a menu command apart into the file the shell opens and the parameters it passes.
// This is the text rule only; resolving a bare program name needs the file system.
#pragma once

#include <string>
#include <string_view>

struct CommandParts {
    std::string fileName;
    std::string parameters;
};

CommandParts SplitCommandText(std::string_view command);
