// The UTF-8 decoder and encoder: any bytes as UTF-8, and the same bytes as UTF-16 code units.

#include "fuzz/FuzzSupport.h"
#include "utility/Utf8.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool IsNonCharacter(char32_t unit) {
    return unit == 0xFFFE || unit == 0xFFFF;
}

bool HasUnpairedSurrogate(std::u16string_view units) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (IsHighSurrogate(units[i])) {
            if (i + 1 == units.size() || !IsLowSurrogate(units[i + 1])) {
                return true;
            }
            ++i;
        } else if (IsLowSurrogate(units[i])) {
            return true;
        }
    }
    return false;
}

// The length a lead byte announces and the smallest value that length may encode; length 0
// for a byte that starts no well-formed sequence (C0, C1 and F5 to FF never do).
struct SequenceShape {
    std::size_t length;
    char32_t smallest;
};

SequenceShape ShapeOf(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return {3, 0x800};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return {4, 0x10000};
    }
    return {0, 0};
}

// Well-formed UTF-8 as the Unicode standard defines it: shortest forms only, no encoded
// surrogates, nothing above U+10FFFF. Written apart from the decoder on purpose.
bool IsStrictUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const SequenceShape shape = ShapeOf(lead);
        if (shape.length == 0 || i + shape.length > text.size()) {
            return false;
        }
        char32_t value = lead & (0xFFu >> (shape.length + 1));
        for (std::size_t k = 1; k < shape.length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            value = (value << 6) | (next & 0x3F);
        }
        if (value < shape.smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        i += shape.length;
    }
    return true;
}

bool HasEncodedNonCharacter(std::string_view text) {
    return text.find("\xEF\xBF\xBE") != std::string_view::npos ||
           text.find("\xEF\xBF\xBF") != std::string_view::npos;
}

// The bytes as little-endian code units; an odd last byte is left out.
Utf16String UnitsOf(std::string_view bytes) {
    Utf16String units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return units;
}

Utf16String WithoutUnpairedSurrogates(std::u16string_view units) {
    Utf16String kept;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (IsHighSurrogate(units[i]) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            kept += units.substr(i, 2);
            ++i;
        } else if (!IsHighSurrogate(units[i]) && !IsLowSurrogate(units[i])) {
            kept.push_back(units[i]);
        }
    }
    return kept;
}

std::size_t EncodedLength(std::u16string_view paired) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < paired.size(); ++i) {
        const char32_t unit = paired[i];
        if (IsHighSurrogate(unit)) {
            length += 4;
            ++i;
        } else {
            length += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
        }
    }
    return length;
}

void CheckDecoding(std::string_view bytes) {
    const Utf16String units = DecodeUtf8(bytes);
    Require(units.size() <= bytes.size(), "decoding never gives more units than bytes");
    Require(!HasUnpairedSurrogate(units), "decoding never gives an unpaired surrogate");
    Require(std::none_of(units.begin(), units.end(), IsNonCharacter),
            "decoding never gives U+FFFE or U+FFFF");

    const std::string encoded = EncodeUtf8(units);
    Require(IsStrictUtf8(encoded), "encoding the decoded text gives well-formed UTF-8");
    Require(DecodeUtf8(encoded) == units, "decoding the encoded decoded text gives it back");

    // Every "?" beyond the input's own stands for a rejected sequence.
    const bool allAccepted =
        std::count(units.begin(), units.end(), u'?') == std::count(bytes.begin(), bytes.end(), '?');
    const bool acceptable = IsStrictUtf8(bytes) && !HasEncodedNonCharacter(bytes);
    Require(allAccepted == acceptable,
            "exactly well-formed UTF-8 without U+FFFE and U+FFFF decodes without a \"?\"");
    Require(acceptable == (encoded == bytes), "exactly acceptable UTF-8 survives a round trip");
}

void CheckEncoding(std::u16string_view units) {
    const std::string encoded = EncodeUtf8(units);
    Require(IsStrictUtf8(encoded), "encoding always gives well-formed UTF-8");

    const Utf16String paired = WithoutUnpairedSurrogates(units);
    Require(encoded == EncodeUtf8(paired), "unpaired surrogates give no bytes");
    Require(encoded.size() == EncodedLength(paired), "every unit takes its 1, 2, 3 or 4 bytes");

    // Decoding turns U+FFFE and U+FFFF into "?" and gives everything else back.
    Utf16String expected = paired;
    std::replace_if(expected.begin(), expected.end(), IsNonCharacter, u'?');
    Require(DecodeUtf8(encoded) == expected, "decoding the encoding gives the units back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckDecoding(bytes);
    CheckEncoding(UnitsOf(bytes));
    return 0;
}
