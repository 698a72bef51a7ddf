// How a menu command becomes a launch: the file to open and its parameters.
#pragma once

#include "launcher/CommandSplit.h"

#include <string>

// The file is resolved when it is a bare name that is not a file here: the current folder,
// then the system's search path, give its full path.
CommandParts SplitCommand(const std::string& command);
std::string CommandFileName(const std::string& command);
