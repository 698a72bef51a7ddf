#include "utility/TextEncoding.h"

#include "utility/Strings.h"

#include <array>

namespace {

struct EncodingMark {
    std::string_view name;
    std::string_view mark;
};

constexpr std::array<EncodingMark, 3> EncodingMarks{{
    {"utf8bom", "\xEF\xBB\xBF"},
    {"ucs2le", "\xFF\xFE"},
    {"ucs2be", "\xFE\xFF"},
}};

} // namespace

std::string RemoveEncodingMark(std::string_view encodingName, std::string_view text) {
    for (const EncodingMark& entry : EncodingMarks) {
        if (entry.name == encodingName) {
            return RemovePrefixWith(text, entry.mark, CaseSensitiveStartsWith);
        }
    }
    return std::string(text);
}

std::string NormalizeLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            result += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            result += "\r\n";
        } else {
            result.push_back(c);
        }
    }
    return result;
}
