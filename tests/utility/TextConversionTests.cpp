#include "utility/Library.h"
#include "utility/StringsNoCase.h"
#include "utility/Utf8Win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Utf8LowerCase, LowerCasesThroughUtf16) {
    EXPECT_EQ(Utf8LowerCase("\xC3\x84"
                            "BC"),
              "\xC3\xA4"
              "bc");
    EXPECT_EQ(Utf8LowerCase("\xD0\x96\xD0\x9A"), "\xD0\xB6\xD0\xBA"); // Cyrillic
    EXPECT_EQ(Utf8LowerCase(""), "");
    EXPECT_EQ(Utf8LowerCase("A\xC3"), "a?");
}

TEST(AnsiToUtf8, ConvertsFromTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 1252u);
    EXPECT_EQ(AnsiToUtf8("\xE9"), "\xC3\xA9");
    EXPECT_EQ(AnsiToUtf8("\x80"
                         "5"),
              "\xE2\x82\xAC"
              "5");
    EXPECT_EQ(AnsiToUtf8(""), "");
    EXPECT_EQ(ExceptionMessageUtf8(std::runtime_error("caf\xE9")), "caf\xC3\xA9");
}

TEST(StartsWithNoCase, LowerCasesBothSides) {
    EXPECT_TRUE(StartsWithNoCase("\xC3\x84", "\xC3\xA4x"));
    EXPECT_TRUE(StartsWithNoCase("PATH", "path:x"));
    EXPECT_TRUE(StartsWithNoCase("", "x"));
    EXPECT_FALSE(StartsWithNoCase("ab", "a"));
    // The cut through the two-byte character lower-cases to "?".
    EXPECT_FALSE(StartsWithNoCase("x", "\xC3\xA4"));
}

TEST(RemovePrefix, FollowsTheCaseFlag) {
    EXPECT_EQ(RemovePrefix("abc", "ABC", true), "abc");
    EXPECT_EQ(RemovePrefix("abc", "ABC", false), "");
    EXPECT_EQ(RemovePrefix("\xC3\xA4"
                           "x",
                           "\xC3\x84", false),
              "x");
    EXPECT_EQ(RemovePrefix("abcd", "ab", true), "cd");
}

struct CompareCase {
    Utf16String a;
    Utf16String b;
    std::int32_t exact;
    std::int32_t noCase;
};

class Utf16Comparison : public testing::TestWithParam<CompareCase> {};

TEST_P(Utf16Comparison, FollowsTheUserLocale) {
    EXPECT_EQ(CompareUtf16(GetParam().a, GetParam().b), GetParam().exact);
    EXPECT_EQ(CompareUtf16NoCase(GetParam().a, GetParam().b), GetParam().noCase);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf16Comparison,
                         testing::Values(CompareCase{u"abc", u"ABC", -1, 0},
                                         CompareCase{u"a", u"b", -1, -1},
                                         CompareCase{u"b", u"a", 1, 1}, CompareCase{u"", u"", 0, 0},
                                         CompareCase{u"", u"a", -1, -1},
                                         CompareCase{u"\u00C4", u"\u00E4", 1, 0}));

} // namespace
