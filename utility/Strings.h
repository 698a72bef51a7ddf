// Cutting and testing UTF-8 strings byte by byte. Positions count from 1; 0 means "not found".
// A blank is any byte from 0 to 32.
#pragma once

#include "utility/Utf8.h"

#include <cstdint>
#include <string>
#include <string_view>

bool IsBlank(char c);

std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Equality ignoring the case of the ASCII letters only.
bool SameTextAscii(std::string_view a, std::string_view b);

// Position of the first / last occurrence of separator in text; 0 when it is empty or absent.
std::int32_t Pos(std::string_view separator, std::string_view text);
std::int32_t LastPos(std::string_view separator, std::string_view text);

// The trimmed text before / after the first (or, fromEnd, the last) separator.
std::string TextBefore(std::string_view text, std::string_view separator, bool fromEnd = false);
std::string TextAfter(std::string_view text, std::string_view separator, bool fromEnd = false);

std::string StripEnclosing(std::string_view text, char first, char last);
std::string Unquote(std::string_view text, char quote);
std::string Quote(std::string_view text, char quote, bool always);

bool StartsWith(std::string_view prefix, std::string_view text);
bool StartsWithAsciiNoCase(std::string_view prefix, std::string_view text);
// Replaceable; the default is StartsWith.
extern bool (*CaseSensitiveStartsWith)(std::string_view prefix, std::string_view text);

using PrefixTest = bool (*)(std::string_view prefix, std::string_view text);
// The text without its first prefix.size() bytes when test(prefix, text) holds, else unchanged.
std::string RemovePrefixWith(std::string_view text, std::string_view prefix, PrefixTest test);

std::string TrimRightChars(std::string_view text, std::string_view chars);
// Drops leading blanks and bytes of chars, adding their count to position; true when text
// is not empty afterwards.
bool SkipLeading(std::string& text, std::int32_t& position, std::string_view chars);
std::string RemoveBlanks(std::string_view text);

// Splits text (up to its first zero byte) at every occurrence of separator. The scan state is
// local to the call, so it is reentrant. positions, when given, receives one byte offset
// (from 0) per element; the single element of an empty text split at an empty separator
// gets offset 0.
TStringDynArray SplitString(std::string_view text, std::string_view separator,
                            std::string_view trimChars = {}, TIntArray* positions = nullptr);
