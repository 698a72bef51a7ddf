// Loading text the way the text loader does: the encoding mark comes off, every line break
// becomes CR LF, and the menu loader then splits at CR LF. Input: a byte that picks the
// encoding name, then the text.

#include "fuzz/FuzzSupport.h"
#include "utility/Strings.h"
#include "utility/TextEncoding.h"

#include <array>

namespace {

struct NamedMark {
    std::string_view name;
    std::string_view mark; // empty for a name that has none
};

// The known names, and names that must match none of them.
constexpr std::array<NamedMark, 6> Names{{
    {"utf8bom", "\xEF\xBB\xBF"},
    {"ucs2le", "\xFF\xFE"},
    {"ucs2be", "\xFE\xFF"},
    {"UTF8BOM", ""},
    {"utf8", ""},
    {"", ""},
}};

// Lone CRs and lone LFs; each one grows by a byte.
std::size_t LoneBreaks(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool crBeforeLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        const bool lfAfterCr = text[i] == '\n' && i > 0 && text[i - 1] == '\r';
        if ((text[i] == '\r' || text[i] == '\n') && !crBeforeLf && !lfAfterCr) {
            ++count;
        }
    }
    return count;
}

// Each line break (CR LF, lone CR, lone LF) as one LF, so texts compare by their lines.
std::string WithBreaksAsLf(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            result.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

bool OnlyCrLfBreaks(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) {
            return false;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const NamedMark& named = Names[input.TakeByte() % Names.size()];
    const std::string_view text = input.Rest();

    const std::string unmarked = RemoveEncodingMark(named.name, text);
    const bool marked = !named.mark.empty() && text.starts_with(named.mark);
    Require(unmarked == (marked ? text.substr(named.mark.size()) : text),
            "exactly one mark of the named encoding comes off, and only that");

    const std::string normalized = NormalizeLineBreaks(unmarked);
    Require(OnlyCrLfBreaks(normalized), "every CR and LF is part of a CR LF pair");
    Require(normalized.size() ==
                text.size() - (marked ? named.mark.size() : 0) + LoneBreaks(unmarked),
            "the length is the input's, less the mark, plus one per widened break");
    Require(WithBreaksAsLf(normalized) == WithBreaksAsLf(unmarked),
            "only the line breaks change, and each stays one break");
    Require(NormalizeLineBreaks(normalized) == normalized, "normalised text stays as it is");

    const TStringDynArray lines = SplitString(normalized, "\r\n");
    for (const std::string& line : lines) {
        Require(line.find_first_of("\r\n") == std::string::npos, "no line holds a CR or LF");
    }
    Require(Join(lines, "\r\n") == UpToZero(normalized),
            "the lines joined with CR LF give the text up to its zero byte");
    return 0;
}
