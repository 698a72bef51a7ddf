#include "utility/Strings.h"

#include <gtest/gtest.h>

namespace {

TEST(Trim, RemovesBytesUpTo32Only) {
    const std::string text = std::string("\0\t \x01", 4) + "a \xC3\xA9" + "\x1F \r\n";
    EXPECT_EQ(Trim(text), "a \xC3\xA9");
    EXPECT_EQ(TrimLeft(text), "a \xC3\xA9\x1F \r\n");
    EXPECT_EQ(TrimRight(text), std::string("\0\t \x01", 4) + "a \xC3\xA9");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
    EXPECT_EQ(Trim("   "), "");
}

TEST(SameTextAscii, IgnoresTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(SameTextAscii("Separator", "SEPARATOR"));
    EXPECT_TRUE(SameTextAscii("", ""));
    EXPECT_FALSE(SameTextAscii("ab", "abc"));
    EXPECT_FALSE(SameTextAscii("\xC3\x84", "\xC3\xA4"));
    EXPECT_FALSE(SameTextAscii("[", "{")); // '[' is 'Z' + 1, '{' is 'z' + 1
}

struct CutCase {
    std::string text;
    std::string separator;
    bool fromEnd;
    std::string before;
    std::string after;
};

class TextCut : public testing::TestWithParam<CutCase> {};

TEST_P(TextCut, SplitsAtTheSeparatorAndTrims) {
    const CutCase& c = GetParam();
    EXPECT_EQ(TextBefore(c.text, c.separator, c.fromEnd), c.before);
    EXPECT_EQ(TextAfter(c.text, c.separator, c.fromEnd), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextCut,
    testing::Values(CutCase{"  Notepad = notepad.exe  ", "=", false, "Notepad", "notepad.exe"},
                    CutCase{"Notepad", "=", false, "Notepad", ""},
                    CutCase{"a=b=c", "=", false, "a", "b=c"},
                    CutCase{"a=b=c", "=", true, "a=b", "c"},
                    CutCase{" x = y ", "", false, "x = y", ""}, CutCase{"=v", "=", false, "", "v"},
                    CutCase{"k=", "=", false, "k", ""}, CutCase{"a => b", "=>", false, "a", "b"}));

TEST(Positions, FindFirstAndLastOccurrenceFromOne) {
    EXPECT_EQ(Pos("b", "abb"), 2);
    EXPECT_EQ(LastPos("ab", "abb"), 1);
    EXPECT_EQ(LastPos("ab", "xabab"), 4);
    EXPECT_EQ(LastPos("aa", "aaa"), 2);
    EXPECT_EQ(LastPos("", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(LastPos("z", "abc"), 0);
    EXPECT_EQ(LastPos("abcd", "abc"), 0);
}

struct EnclosingCase {
    std::string text;
    std::string unquoted;
    std::string quoted;
};

class Quotes : public testing::TestWithParam<EnclosingCase> {};

TEST_P(Quotes, AreRemovedAndAddedAtEachEndOnItsOwn) {
    EXPECT_EQ(Unquote(GetParam().text, '"'), GetParam().unquoted);
    EXPECT_EQ(Quote(GetParam().text, '"', false), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Quotes,
    testing::Values(EnclosingCase{"", "", "\"\""}, EnclosingCase{"a", "a", "\"a\""},
                    EnclosingCase{"\"", "", "\"\""},
                    EnclosingCase{"\"C:\\a b\\x\"", "C:\\a b\\x", "\"C:\\a b\\x\""},
                    EnclosingCase{"\"abc", "abc", "\"abc\""},
                    EnclosingCase{"abc\"", "abc", "\"abc\""},
                    EnclosingCase{"a\"b", "a\"b", "\"a\"b\""}, EnclosingCase{"\"\"", "", "\"\""}));

TEST(Quote, AlwaysEnclosesEvenAQuotedText) {
    EXPECT_EQ(Quote("\"a\"", '"', true), "\"\"a\"\"");
    EXPECT_EQ(Quote("", '\'', true), "''");
}

TEST(StripEnclosing, UsesDifferentBytesForEachEnd) {
    EXPECT_EQ(StripEnclosing("[x]", '[', ']'), "x");
    EXPECT_EQ(StripEnclosing("]x[", '[', ']'), "]x[");
    EXPECT_EQ(StripEnclosing("[", '[', ']'), "");
    EXPECT_EQ(StripEnclosing(" [x] ", '[', ']'), " [x] ");
}

TEST(PrefixTests, CompareTheTextsFirstBytes) {
    EXPECT_TRUE(StartsWith("", ""));
    EXPECT_TRUE(StartsWith("", "abc"));
    EXPECT_TRUE(StartsWith("ab", "abc"));
    EXPECT_FALSE(StartsWith("abc", "ab"));
    EXPECT_FALSE(StartsWith("AB", "abc"));
    EXPECT_TRUE(StartsWithAsciiNoCase("PATH", "path:x"));
    EXPECT_TRUE(StartsWithAsciiNoCase("path", "PaTh"));
    EXPECT_FALSE(StartsWithAsciiNoCase("path", "pat"));
    EXPECT_FALSE(StartsWithAsciiNoCase("\xC3\x84", "\xC3\xA4"));
    EXPECT_TRUE(CaseSensitiveStartsWith("ab", "abc"));
    EXPECT_FALSE(CaseSensitiveStartsWith("AB", "abc"));
}

TEST(RemovePrefixWith, RemovesOnlyWhatTheTestAccepts) {
    EXPECT_EQ(RemovePrefixWith("abcabc", "abc", StartsWith), "abc");
    EXPECT_EQ(RemovePrefixWith("abc", "ABC", StartsWith), "abc");
    EXPECT_EQ(RemovePrefixWith("ABCd", "abc", StartsWithAsciiNoCase), "d");
    EXPECT_EQ(RemovePrefixWith("ab", "abc", StartsWith), "ab");
}

TEST(TrimRightChars, RemovesOnlyTheGivenBytes) {
    EXPECT_EQ(TrimRightChars("path\\//", "\\/"), "path");
    EXPECT_EQ(TrimRightChars("a. ", "."), "a. ");
    EXPECT_EQ(TrimRightChars("a. ", ". "), "a");
    EXPECT_EQ(TrimRightChars("abc", ""), "abc");
    EXPECT_EQ(TrimRightChars("...", "."), "");
}

TEST(SkipLeading, DropsBlanksAndGivenBytesAndCountsThem) {
    std::string text = " ,\t,x, ";
    std::int32_t position = 10;
    EXPECT_TRUE(SkipLeading(text, position, ","));
    EXPECT_EQ(text, "x, ");
    EXPECT_EQ(position, 14);

    text = " \t";
    position = 0;
    EXPECT_FALSE(SkipLeading(text, position, ""));
    EXPECT_EQ(text, "");
    EXPECT_EQ(position, 2);

    text = "";
    position = 5;
    EXPECT_FALSE(SkipLeading(text, position, ","));
    EXPECT_EQ(position, 5);

    text = ",a";
    position = 0;
    EXPECT_TRUE(SkipLeading(text, position, ""));
    EXPECT_EQ(text, ",a");
    EXPECT_EQ(position, 0);
}

TEST(RemoveBlanks, RemovesEveryBlankWhereverItStands) {
    EXPECT_EQ(RemoveBlanks(std::string(" a\tb\r\nc\0d ", 11)), "abcd");
    EXPECT_EQ(RemoveBlanks("\xC3\xA9 \xC3\xA9"), "\xC3\xA9\xC3\xA9");
}

struct SplitCase {
    std::string text;
    std::string separator;
    std::string trimChars;
    TStringDynArray parts;
    TIntArray offsets;
};

class Split : public testing::TestWithParam<SplitCase> {};

TEST_P(Split, GivesThePartsAndTheirOffsets) {
    const SplitCase& c = GetParam();
    TIntArray offsets{99, 98, 97, 96, 95}; // whatever it held before is replaced
    EXPECT_EQ(SplitString(c.text, c.separator, c.trimChars, &offsets), c.parts);
    EXPECT_EQ(offsets, c.offsets);
    EXPECT_EQ(SplitString(c.text, c.separator, c.trimChars), c.parts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Split,
    testing::Values(SplitCase{"", "\r\n", "", {""}, {0}}, SplitCase{"a", "\r\n", "", {"a"}, {0}},
                    SplitCase{"a\r\nb", "\r\n", "", {"a", "b"}, {0, 3}},
                    SplitCase{"a\r\nb\r\n", "\r\n", "", {"a", "b", ""}, {0, 3, 6}},
                    SplitCase{"\r\n", "\r\n", "", {"", ""}, {0, 2}},
                    SplitCase{"a\r\n\r\nb", "\r\n", "", {"a", "", "b"}, {0, 3, 5}},
                    SplitCase{"a\rb", "\r\n", "", {"a\rb"}, {0}},
                    SplitCase{std::string("a\0b\r\nc", 6), "\r\n", "", {"a"}, {0}},
                    SplitCase{"a,b", std::string(",\0x", 3), "", {"a", "b"}, {0, 2}},
                    SplitCase{"x, y ,z", ",", " ", {"x", "y", "z"}, {0, 3, 6}},
                    SplitCase{"a.\t", ",", ".", {"a.\t"}, {0}},
                    SplitCase{" .a. ", ",", ".", {"a. "}, {2}},
                    SplitCase{"aab", "ab", "", {"a", ""}, {0, 3}},
                    SplitCase{"abc", "", "", {"abc"}, {0}}, SplitCase{"", "", "", {""}, {0}}));

} // namespace
