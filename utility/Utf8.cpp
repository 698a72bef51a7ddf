#include "utility/Utf8.h"

#include <bit>

namespace {

constexpr char16_t Replacement = u'?';

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

bool IsAccepted(int length, char32_t value) {
    switch (length) {
    case 2:
        return value >= 0x80;
    case 3:
        return value >= 0x800 && value <= 0xFFFD && (value < 0xD800 || value > 0xDFFF);
    case 4:
        return value >= 0x10000 && value <= 0x10FFFF;
    default:
        return false;
    }
}

void AppendCodePoint(Utf16String& out, char32_t value) {
    if (value < 0x10000) {
        out.push_back(static_cast<char16_t>(value));
        return;
    }
    const char32_t offset = value - 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
}

} // namespace

Utf16String DecodeUtf8(std::string_view text) {
    Utf16String out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i++]);
        if (lead < 0x80) {
            out.push_back(lead);
            continue;
        }
        // The one bits before the first zero bit announce the length; a continuation byte
        // announces 1, 0xF8 and above announce 5 or more.
        const int length = std::countl_one(lead);
        char32_t value = lead & (0x7F >> length);
        int taken = 0;
        while (taken < length - 1 && i < text.size() &&
               IsContinuation(static_cast<unsigned char>(text[i]))) {
            value = (value << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
            ++i;
            ++taken;
        }
        if (taken == length - 1 && IsAccepted(length, value)) {
            AppendCodePoint(out, value);
        } else {
            out.push_back(Replacement);
        }
    }
    return out;
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    auto put = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (unit < 0x80) {
            put(unit);
        } else if (unit < 0x800) {
            put(0xC0 | (unit >> 6));
            put(0x80 | (unit & 0x3F));
        } else if (unit < 0xD800 || unit > 0xDFFF) {
            put(0xE0 | (unit >> 12));
            put(0x80 | ((unit >> 6) & 0x3F));
            put(0x80 | (unit & 0x3F));
        } else if (unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                   text[i + 1] <= 0xDFFF) {
            const char32_t value = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
            put(0xF0 | (value >> 18));
            put(0x80 | ((value >> 12) & 0x3F));
            put(0x80 | ((value >> 6) & 0x3F));
            put(0x80 | (value & 0x3F));
        }
        // Any other surrogate is unpaired and is dropped.
    }
    return out;
}

Utf16String (*Utf8ToUtf16)(std::string_view text) = DecodeUtf8;
std::string (*Utf16ToUtf8)(std::u16string_view text) = EncodeUtf8;
