#include "utility/Utf8.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    std::string bytes;
    Utf16String units;
};

class Utf8Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8Decode, GivesTheCodeUnits) {
    EXPECT_EQ(Utf8ToUtf16(GetParam().bytes), GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Decode,
    testing::Values(DecodeCase{"", u""}, DecodeCase{"A", u"A"}, DecodeCase{"\xC3\xA9", u"\u00E9"},
                    DecodeCase{"\xE2\x82\xAC", u"\u20AC"},
                    DecodeCase{"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
                    DecodeCase{"a\r\nb", u"a\r\nb"},
                    DecodeCase{std::string("a\0b", 3), Utf16String(u"a\0b", 3)},
                    // Overlong, encoded surrogate, U+FFFE, U+FFFF, above U+10FFFF.
                    DecodeCase{"\xC0\xAF", u"?"}, DecodeCase{"\xED\xA0\x80", u"?"},
                    DecodeCase{"\xEF\xBF\xBE", u"?"}, DecodeCase{"\xEF\xBF\xBF", u"?"},
                    DecodeCase{"\xF4\x90\x80\x80", u"?"},
                    // The largest accepted values of each length.
                    DecodeCase{"\xDF\xBF", u"\u07FF"}, DecodeCase{"\xEF\xBF\xBD", u"\uFFFD"},
                    DecodeCase{"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
                    // A lone continuation byte; a sequence cut short keeps the byte that ended it.
                    DecodeCase{"\x80", u"?"},
                    DecodeCase{"\xC3"
                               "A",
                               u"?A"},
                    DecodeCase{"\xE2\x82"
                               "x",
                               u"?x"},
                    DecodeCase{"\xE2\x82", u"?"}, DecodeCase{"\x80\x80", u"??"},
                    // Announced lengths of 5 and more take their continuation bytes as one "?".
                    DecodeCase{"\xF8\x88\x80\x80\x80"
                               "z",
                               u"?z"},
                    DecodeCase{"\xFF"
                               "a",
                               u"?a"}));

struct EncodeCase {
    Utf16String units;
    std::string bytes;
};

class Utf8Encode : public testing::TestWithParam<EncodeCase> {};

TEST_P(Utf8Encode, GivesTheBytes) {
    EXPECT_EQ(Utf16ToUtf8(GetParam().units), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Encode,
    testing::Values(EncodeCase{u"", ""}, EncodeCase{u"A", "A"}, EncodeCase{u"\u00E9", "\xC3\xA9"},
                    EncodeCase{u"\u20AC", "\xE2\x82\xAC"},
                    EncodeCase{u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
                    EncodeCase{u"\uFFFE", "\xEF\xBF\xBE"},
                    EncodeCase{Utf16String(u"a\0b", 3), std::string("a\0b", 3)},
                    // Unpaired surrogates vanish.
                    EncodeCase{u"\xD800"
                               u"A",
                               "A"},
                    EncodeCase{u"\xDC00", ""}, EncodeCase{u"\xD800", ""},
                    EncodeCase{u"\xDE00\xD83D", ""},
                    EncodeCase{u"\xD83D\xD83D\xDE00", "\xF0\x9F\x98\x80"}));

TEST(Utf8RoundTrip, EveryCodePointSurvives) {
    for (char32_t value = 0; value <= 0x10FFFF; value += value < 0x800 ? 1 : 61) {
        if ((value >= 0xD800 && value <= 0xDFFF) || value == 0xFFFE || value == 0xFFFF) {
            continue;
        }
        Utf16String units;
        if (value < 0x10000) {
            units.push_back(static_cast<char16_t>(value));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
        }
        ASSERT_EQ(DecodeUtf8(EncodeUtf8(units)), units)
            << "U+" << std::hex << static_cast<std::uint32_t>(value);
    }
}

Utf16String DecodeToX(std::string_view) {
    return u"x";
}

TEST(Utf8Conversions, AreReplaceable) {
    Utf8ToUtf16 = DecodeToX;
    const Utf16String replaced = Utf8ToUtf16("abc");
    Utf8ToUtf16 = DecodeUtf8;
    EXPECT_EQ(replaced, u"x");
    EXPECT_EQ(Utf8ToUtf16("abc"), u"abc");
}

} // namespace
