// The running process's arguments as UTF-8, its switches and its folder.
#pragma once

#include "utility/Arguments.h"

#include <cstdint>
#include <string>
#include <string_view>

// When not empty, ProgramDir returns it instead of the executable's folder.
extern std::string ProgramDirOverride;

// 0 is the executable's full path (module file name); 1 to N come from GetCommandLineW.
// Empty for an index out of range.
std::string CommandLineArg(std::int32_t index);
std::int32_t CommandLineArgCount(); // N, the number of arguments after the program name

bool GetSwitchValue(std::string_view name, std::string& value);

// The executable's folder with its trailing separator, or ProgramDirOverride.
std::string ProgramDir();
