// Launching through the shell's "open" verb, and finding a command before it is launched.
#pragma once

#include "utility/Utf8.h"

#include <string>

// A file with a blank is quoted; an empty folder is derived from the file. True when the
// shell accepted the request.
bool ShellOpen(const std::string& file, const std::string& parameters, const std::string& folder);
bool ShellOpenW(const Utf16String& file, const Utf16String& parameters, const Utf16String& folder);

// The name as a file relative to the current folder, else on the system search path; no
// extension is tried. found is the full path, empty when the result is false.
bool LocateCommand(const std::string& name, std::string& found);
