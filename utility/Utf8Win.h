// Conversions that need the system: lower-casing, the ANSI code page, exception messages.
#pragma once

#include "utility/Utf8.h"

#include <exception>
#include <string>
#include <string_view>

// Replaceable; the default decodes, lower-cases the UTF-16 copy with CharLowerBuffW and
// encodes again, so malformed input comes back with its "?" replacements.
extern std::string (*Utf8LowerCase)(std::string_view text);
std::string Utf8LowerCaseThroughUtf16(std::string_view text);

// Text in the system's ANSI code page to UTF-8; empty when the system cannot convert it.
std::string AnsiToUtf8(std::string_view text);

// An exception's message, which the runtime gives in the ANSI code page, as UTF-8.
std::string ExceptionMessageUtf8(const std::exception& error);
