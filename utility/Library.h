// Library-wide names, UTF-16 comparison and the library's start-up.
#pragma once

#include "utility/Utf8.h"

#include <cstdint>
#include <string>

extern std::string ProgramBaseName;  // the executable's name without folder and extension
extern std::string ApplicationTitle; // the name the program presents itself under

// -1, 0 or 1 by the user's locale; -2 when the system comparison fails.
std::int32_t CompareUtf16(const Utf16String& a, const Utf16String& b);
std::int32_t CompareUtf16NoCase(const Utf16String& a, const Utf16String& b);

void InstallUtf16Comparisons();

// Call first in the program's entry: fills ProgramBaseName and ApplicationTitle when empty.
void StartUtilityLibrary();
