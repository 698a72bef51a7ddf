// The string helpers: trimming, searching, cutting at a separator, quotes, prefix tests and
// splitting. Input: a flags byte, a separator of up to 4 bytes, trim characters of up to 3
// bytes (each a length byte, then the bytes), a quote byte, then the text.

#include "fuzz/FuzzSupport.h"
#include "utility/Strings.h"

#include <algorithm>

namespace {

constexpr std::uint8_t FromEndFlag = 1;
constexpr std::uint8_t AlwaysQuoteFlag = 2;

bool IsBlankOrIn(char c, std::string_view chars) {
    return IsBlank(c) || chars.find(c) != std::string_view::npos;
}

void CheckTrimming(std::string_view text) {
    for (const char c : text) {
        Require(IsBlank(c) == (static_cast<unsigned char>(c) <= 32), "a blank is a byte up to 32");
    }
    const std::string left = TrimLeft(text);
    const std::string right = TrimRight(text);
    Require(text.ends_with(left) && AllBlank(text.substr(0, text.size() - left.size())) &&
                (left.empty() || !IsBlank(left.front())),
            "TrimLeft removes the leading blanks and nothing else");
    Require(text.starts_with(right) && AllBlank(text.substr(right.size())) &&
                (right.empty() || !IsBlank(right.back())),
            "TrimRight removes the trailing blanks and nothing else");
    Require(Trim(text) == TrimRight(left), "Trim trims both ends");
}

void CheckSearch(std::string_view separator, std::string_view text) {
    const std::size_t first = text.find(separator);
    const std::size_t last = text.rfind(separator);
    const bool found = !separator.empty() && first != std::string_view::npos;
    Require(Pos(separator, text) == (found ? static_cast<std::int32_t>(first + 1) : 0),
            "Pos is the first occurrence counted from 1, else 0");
    Require(LastPos(separator, text) == (found ? static_cast<std::int32_t>(last + 1) : 0),
            "LastPos is the last occurrence counted from 1, else 0");
}

void CheckTextCut(std::string_view text, std::string_view separator, bool fromEnd) {
    const std::string before = TextBefore(text, separator, fromEnd);
    const std::string after = TextAfter(text, separator, fromEnd);
    Require(!HasBlankEnds(before) && !HasBlankEnds(after),
            "TextBefore and TextAfter give no blanks at their ends");

    const std::string trimmed = Trim(text);
    if (separator.empty() || !IsSubstring(separator, trimmed)) {
        Require(before == trimmed && after.empty(),
                "without the separator the trimmed text comes before it and nothing after");
        return;
    }
    Require(IsCutAround(trimmed, before, separator, after),
            "before, blanks, the separator, blanks and after make the trimmed text");
    Require(!IsSubstring(separator, fromEnd ? after : before),
            "the cut is at the first occurrence, or at the last one from the end");
}

// StripEnclosing by its rule: each end on its own, the front first.
std::string Stripped(std::string_view text, char first, char last) {
    if (!text.empty() && text.front() == first) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.back() == last) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

void CheckQuotes(std::string_view text, char quote, bool always) {
    const std::string unquoted = Unquote(text, quote);
    Require(text.size() - unquoted.size() <= 2 && unquoted == Stripped(text, quote, quote),
            "Unquote removes at most one quote at each end");
    const char last = static_cast<char>(quote + 1);
    Require(StripEnclosing(text, quote, last) == Stripped(text, quote, last),
            "StripEnclosing removes its first byte in front and its last byte at the end");

    const std::string enclosed = Quote(text, quote, true);
    Require(enclosed.size() == text.size() + 2 && enclosed.front() == quote &&
                enclosed.back() == quote && enclosed.substr(1, text.size()) == text,
            "Quote with always adds exactly one quote at each end");
    Require(Unquote(enclosed, quote) == text, "Unquote takes back what Quote with always added");

    const std::string quoted = Quote(text, quote, always);
    Require(quoted.size() >= 2 && quoted.size() <= text.size() + 2 && quoted.front() == quote &&
                quoted.back() == quote && IsSubstring(text, quoted),
            "Quote encloses the text in quotes, adding at most two");
    const bool alreadyEnclosed = text.size() >= 2 && text.front() == quote && text.back() == quote;
    Require(!alreadyEnclosed || always || quoted == text, "Quote leaves an enclosed text alone");
}

void CheckPrefix(std::string_view prefix, std::string_view text) {
    const bool exact = text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
    Require(StartsWith(prefix, text) == exact, "StartsWith compares the first bytes");
    Require(CaseSensitiveStartsWith(prefix, text) == exact,
            "the case-sensitive test defaults to StartsWith");
    const bool noCase = StartsWith(AsciiUpper(prefix), AsciiUpper(text));
    Require(StartsWithAsciiNoCase(prefix, text) == noCase,
            "StartsWithAsciiNoCase compares with ASCII letters upper-cased");
    Require(RemovePrefixWith(text, prefix, StartsWith) ==
                (exact ? text.substr(prefix.size()) : text),
            "RemovePrefixWith removes exactly a matching prefix");
    Require(RemovePrefixWith(text, prefix, StartsWithAsciiNoCase) ==
                (noCase ? text.substr(prefix.size()) : text),
            "RemovePrefixWith follows the test it is given");
}

void CheckSplit(std::string_view text, std::string_view separator, std::string_view trimChars) {
    const std::string_view cutText = UpToZero(text);
    const std::string_view cutSeparator = UpToZero(separator);

    TIntArray rawOffsets{-7, 3};
    const TStringDynArray raw = SplitString(text, separator, {}, &rawOffsets);
    Require(!raw.empty() && rawOffsets.size() == raw.size(), "one offset per element");
    if (cutSeparator.empty()) {
        Require(raw == TStringDynArray{std::string(cutText)} && rawOffsets[0] == 0,
                "an empty separator gives the whole text");
    } else {
        Require(Join(raw, cutSeparator) == cutText,
                "joining the elements with the separator gives the text up to its zero byte");
        for (std::size_t i = 0; i < raw.size(); ++i) {
            Require(cutText.substr(static_cast<std::size_t>(rawOffsets[i]), raw[i].size()) ==
                        raw[i],
                    "each element stands in the text at its offset");
            // Every element but the last is followed by the separator.
            const bool last = i + 1 == raw.size();
            const std::string followed = last ? raw[i] : raw[i] + std::string(cutSeparator);
            Require(followed.find(cutSeparator) == (last ? std::string::npos : raw[i].size()),
                    "each element ends at the first occurrence of the separator");
        }
    }

    TIntArray offsets{42};
    const TStringDynArray parts = SplitString(text, separator, trimChars, &offsets);
    Require(parts == SplitString(text, separator, trimChars),
            "asking for offsets does not change the elements");
    Require(parts.size() == raw.size() && offsets.size() == parts.size(),
            "trimming keeps the number of elements");
    if (trimChars.empty()) {
        Require(parts == raw && offsets == rawOffsets, "without trimChars nothing is trimmed");
        return;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string_view whole = raw[i];
        const std::string_view part = parts[i];
        Require(offsets[i] >= rawOffsets[i] &&
                    static_cast<std::size_t>(offsets[i] - rawOffsets[i]) + part.size() <=
                        whole.size(),
                "a trimmed element lies inside its untrimmed one");
        const auto skipped = static_cast<std::size_t>(offsets[i] - rawOffsets[i]);
        Require(whole.substr(skipped, part.size()) == part,
                "a trimmed element stands at its offset");
        const std::string_view head = whole.substr(0, skipped);
        const std::string_view tail = whole.substr(skipped + part.size());
        Require(std::all_of(head.begin(), head.end(),
                            [&](char c) { return IsBlankOrIn(c, trimChars); }),
                "only blanks and trimChars go at the front");
        Require(std::all_of(tail.begin(), tail.end(),
                            [&](char c) { return trimChars.find(c) != std::string_view::npos; }),
                "only trimChars go at the end");
        Require(part.empty() ? skipped == whole.size()
                             : !IsBlankOrIn(part.front(), trimChars) &&
                                   trimChars.find(part.back()) == std::string_view::npos,
                "trimming goes as far as it may");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.TakeByte();
    const std::string_view separator = input.TakeText(4);
    const std::string_view trimChars = input.TakeText(3);
    const auto quote = static_cast<char>(input.TakeByte());
    const std::string_view text = input.Rest();

    CheckTrimming(text);
    CheckSearch(separator, text);
    CheckTextCut(text, separator, (flags & FromEndFlag) != 0);
    CheckQuotes(text, quote, (flags & AlwaysQuoteFlag) != 0);
    CheckPrefix(separator, text);
    CheckPrefix(AsciiUpper(text.substr(0, flags >> 4)), text);
    CheckSplit(text, separator, trimChars);
    return 0;
}
