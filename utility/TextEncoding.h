// Byte-order marks and line breaks of loaded text.
#pragma once

#include <string>
#include <string_view>

// Removes one mark of "utf8bom", "ucs2le" or "ucs2be" (names compared exactly) from the front.
std::string RemoveEncodingMark(std::string_view encodingName, std::string_view text);

// Every line break becomes CR LF: a lone CR and a lone LF are widened, CR LF stays.
std::string NormalizeLineBreaks(std::string_view text);
