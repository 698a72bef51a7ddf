#include "utility/Strings.h"

#include <algorithm>
#include <iterator>

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsIn(char c, std::string_view chars) {
    return chars.find(c) != std::string_view::npos;
}

// Positions count from 1; npos becomes 0.
std::int32_t ToPosition(std::size_t index) {
    return index == std::string_view::npos ? 0 : static_cast<std::int32_t>(index + 1);
}

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

std::string TrimLeft(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    return std::string(first, text.end());
}

std::string TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(x) == AsciiUpper(y);
           });
}

std::int32_t Pos(std::string_view separator, std::string_view text) {
    return separator.empty() ? 0 : ToPosition(text.find(separator));
}

std::int32_t LastPos(std::string_view separator, std::string_view text) {
    return separator.empty() ? 0 : ToPosition(text.rfind(separator));
}

std::string TextBefore(std::string_view text, std::string_view separator, bool fromEnd) {
    const std::string_view trimmed = TrimView(text);
    const std::int32_t position = fromEnd ? LastPos(separator, trimmed) : Pos(separator, trimmed);
    if (position == 0) {
        return std::string(trimmed);
    }
    return TrimRight(trimmed.substr(0, static_cast<std::size_t>(position - 1)));
}

std::string TextAfter(std::string_view text, std::string_view separator, bool fromEnd) {
    const std::string_view trimmed = TrimView(text);
    const std::int32_t position = fromEnd ? LastPos(separator, trimmed) : Pos(separator, trimmed);
    if (position == 0) {
        return {};
    }
    return TrimLeft(trimmed.substr(static_cast<std::size_t>(position - 1) + separator.size()));
}

std::string StripEnclosing(std::string_view text, char first, char last) {
    if (!text.empty() && text.front() == first) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.back() == last) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::string Unquote(std::string_view text, char quote) {
    return StripEnclosing(text, quote, quote);
}

std::string Quote(std::string_view text, char quote, bool always) {
    if (text.empty()) {
        return std::string(2, quote);
    }
    const bool front = always || text.front() != quote;
    const bool back = always || text.size() == 1 || text.back() != quote;
    std::string result;
    result.reserve(text.size() + 2);
    if (front) {
        result.push_back(quote);
    }
    result.append(text);
    if (back) {
        result.push_back(quote);
    }
    return result;
}

bool StartsWith(std::string_view prefix, std::string_view text) {
    return text.starts_with(prefix);
}

bool StartsWithAsciiNoCase(std::string_view prefix, std::string_view text) {
    return text.size() >= prefix.size() && SameTextAscii(prefix, text.substr(0, prefix.size()));
}

bool (*CaseSensitiveStartsWith)(std::string_view prefix, std::string_view text) = StartsWith;

std::string RemovePrefixWith(std::string_view text, std::string_view prefix, PrefixTest test) {
    if (test(prefix, text)) {
        text.remove_prefix(std::min(prefix.size(), text.size()));
    }
    return std::string(text);
}

std::string TrimRightChars(std::string_view text, std::string_view chars) {
    while (!text.empty() && IsIn(text.back(), chars)) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

bool SkipLeading(std::string& text, std::int32_t& position, std::string_view chars) {
    if (text.empty()) {
        return false;
    }
    const auto first = std::find_if_not(text.begin(), text.end(),
                                        [chars](char c) { return IsBlank(c) || IsIn(c, chars); });
    const auto count = first - text.begin();
    text.erase(0, static_cast<std::size_t>(count));
    position += static_cast<std::int32_t>(count);
    return !text.empty();
}

std::string RemoveBlanks(std::string_view text) {
    std::string result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result),
                 [](char c) { return !IsBlank(c); });
    return result;
}

TStringDynArray SplitString(std::string_view text, std::string_view separator,
                            std::string_view trimChars, TIntArray* positions) {
    text = UpToZero(text);
    separator = UpToZero(separator);
    TStringDynArray result;
    TIntArray offsets;
    std::size_t cursor = 0;
    std::int32_t counter = 0;
    for (bool scanning = true; scanning;) {
        const std::size_t found =
            separator.empty() ? std::string_view::npos : text.find(separator, cursor);
        std::string token;
        if (found != std::string_view::npos) {
            token = text.substr(cursor, found - cursor);
            cursor = found + separator.size();
        } else {
            token = text.substr(cursor);
            scanning = false;
        }
        std::int32_t offset = counter;
        counter += static_cast<std::int32_t>(token.size() + separator.size());
        if (token.empty() && separator.empty()) {
            break;
        }
        if (!trimChars.empty()) {
            SkipLeading(token, offset, trimChars);
            token = TrimRightChars(token, trimChars);
        }
        result.push_back(std::move(token));
        offsets.push_back(offset);
    }
    if (result.empty()) {
        result.emplace_back(text);
        offsets.push_back(0);
    }
    if (positions != nullptr) {
        *positions = std::move(offsets);
    }
    return result;
}
