// Command-line arguments and switches, without the system: splitting and switch lookup.
#pragma once

#include "utility/Utf8.h"

#include <string>
#include <string_view>
#include <vector>

// Stands between a switch's name and its value.
extern char SwitchSeparator;
// When false, switch names are compared ignoring the case of ASCII letters.
extern bool SwitchCaseSensitive;

// The arguments after the program name. Codes 1 to 32 outside double quotes separate
// arguments; a double quote toggles quoting and is dropped; two in a row are dropped without
// toggling; nothing else (a backslash included) is special.
std::vector<Utf16String> SplitCommandLine(std::u16string_view commandLine);

// Looks for name:value among arguments (the arguments after the program name); the first
// match wins. value is empty when the result is false.
bool FindSwitchValue(const TStringDynArray& arguments, std::string_view name, std::string& value);
