// The prefix tests that lower-case through the system (Utf8LowerCase).
#pragma once

#include <string>
#include <string_view>

// Lower-cases the text's first prefix.size() bytes and the prefix, then compares bytes.
bool StartsWithNoCase(std::string_view prefix, std::string_view text);

// caseSensitive: through CaseSensitiveStartsWith; otherwise through StartsWithNoCase.
std::string RemovePrefix(std::string_view text, std::string_view prefix, bool caseSensitive);
