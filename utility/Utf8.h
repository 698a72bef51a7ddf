// UTF-8 is the program's one text type; UTF-16 exists only at calls into Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using Utf16String = std::u16string;
using TStringDynArray = std::vector<std::string>;
using TIntArray = std::vector<std::int32_t>;

// The codecs themselves; they never fail (malformed input becomes "?", lone surrogates vanish).
Utf16String DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u16string_view text);

// Replaceable conversions: every conversion in the program goes through these variables.
extern Utf16String (*Utf8ToUtf16)(std::string_view text);
extern std::string (*Utf16ToUtf8)(std::u16string_view text);
