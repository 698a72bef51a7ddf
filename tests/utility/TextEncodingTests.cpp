#include "utility/Strings.h"
#include "utility/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

struct MarkCase {
    std::string name;
    std::string text;
    std::string result;
};

class EncodingMark : public testing::TestWithParam<MarkCase> {};

TEST_P(EncodingMark, IsRemovedOnceForAKnownName) {
    EXPECT_EQ(RemoveEncodingMark(GetParam().name, GetParam().text), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodingMark,
                         testing::Values(MarkCase{"utf8bom",
                                                  "\xEF\xBB\xBF"
                                                  "abc",
                                                  "abc"},
                                         MarkCase{"utf8bom", "\xEF\xBB\xBF", ""},
                                         MarkCase{"utf8bom",
                                                  "\xEF\xBB\xBF\xEF\xBB\xBF"
                                                  "a",
                                                  "\xEF\xBB\xBF"
                                                  "a"},
                                         MarkCase{"utf8bom",
                                                  "\xEF\xBB"
                                                  "a",
                                                  "\xEF\xBB"
                                                  "a"},
                                         MarkCase{"utf8bom", "a\xEF\xBB\xBF", "a\xEF\xBB\xBF"},
                                         MarkCase{"ucs2le",
                                                  "\xFF\xFE"
                                                  "a",
                                                  "a"},
                                         MarkCase{"ucs2be",
                                                  "\xFE\xFF"
                                                  "a",
                                                  "a"},
                                         MarkCase{"ucs2le",
                                                  "\xFE\xFF"
                                                  "a",
                                                  "\xFE\xFF"
                                                  "a"},
                                         MarkCase{"UCS2LE",
                                                  "\xFF\xFE"
                                                  "a",
                                                  "\xFF\xFE"
                                                  "a"},
                                         MarkCase{"", "\xEF\xBB\xBF", "\xEF\xBB\xBF"},
                                         MarkCase{"utf8", "\xEF\xBB\xBF", "\xEF\xBB\xBF"}));

bool NeverStarts(std::string_view, std::string_view) {
    return false;
}

TEST(EncodingMark, GoesThroughTheReplaceableCaseSensitiveTest) {
    CaseSensitiveStartsWith = NeverStarts;
    const std::string kept = RemoveEncodingMark("utf8bom", "\xEF\xBB\xBF"
                                                           "a");
    CaseSensitiveStartsWith = StartsWith;
    EXPECT_EQ(kept, "\xEF\xBB\xBF"
                    "a");
}

struct BreakCase {
    std::string text;
    std::string result;
};

class LineBreaks : public testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaks, BecomeCrLf) {
    EXPECT_EQ(NormalizeLineBreaks(GetParam().text), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineBreaks,
                         testing::Values(BreakCase{"", ""}, BreakCase{"abc", "abc"},
                                         BreakCase{"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd"},
                                         BreakCase{"a\r", "a\r\n"}, BreakCase{"\n\r", "\r\n\r\n"},
                                         BreakCase{"\r\r\n", "\r\n\r\n"},
                                         BreakCase{"\n\n", "\r\n\r\n"},
                                         BreakCase{std::string("\xFF\xFE"
                                                               "a\0\r\0\n\0",
                                                               8),
                                                   std::string("\xFF\xFE"
                                                               "a\0\r\n\0\r\n\0",
                                                               10)}));

} // namespace
