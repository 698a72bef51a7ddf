#include "utility/Arguments.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    Utf16String commandLine;
    std::vector<Utf16String> arguments;
};

class CommandLineSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, FollowsTheQuotingRules) {
    EXPECT_EQ(SplitCommandLine(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineSplit,
    testing::Values(SplitCase{u"", {}}, SplitCase{u"app.exe", {}}, SplitCase{u"  app.exe  \t ", {}},
                    SplitCase{u"app.exe a b", {u"a", u"b"}},
                    SplitCase{u"app.exe\ta\r\n\x01"
                              u"b\x1F",
                              {u"a", u"b"}},
                    SplitCase{u"\"C:\\Program Files\\app.exe\" x", {u"x"}},
                    SplitCase{u"app \"path:C:\\a b\\m.ini\"", {u"path:C:\\a b\\m.ini"}},
                    SplitCase{u"app path:\"C:\\a b\\m.ini\"", {u"path:C:\\a b\\m.ini"}},
                    SplitCase{u"app a\"b c\"d", {u"ab cd"}},
                    // A pair of quotes is dropped and does not switch quoting.
                    SplitCase{u"app a\"\"b c",
                              {u"a"
                               u"b",
                               u"c"}},
                    SplitCase{u"app \"a \"\" b\"", {u"a  b"}},
                    SplitCase{u"app \"\" x", {u"", u"x"}},
                    // A backslash is an ordinary character, also before a quote.
                    SplitCase{u"app C:\\dir\\ \"a\\\" b\"", {u"C:\\dir\\", u"a\\", u"b"}},
                    SplitCase{u"app \"unterminated arg", {u"unterminated arg"}},
                    SplitCase{u"app \u00E9\u0416 \xD83D\xDE00", {u"\u00E9\u0416", u"\xD83D\xDE00"}},
                    SplitCase{u"   \"first token\"second third", {u"third"}}));

struct SwitchCase {
    TStringDynArray arguments;
    bool found;
    std::string value;
};

class SwitchLookup : public testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchLookup, FindsTheFirstNameColonValue) {
    std::string value = "stale";
    EXPECT_EQ(FindSwitchValue(GetParam().arguments, "path", value), GetParam().found);
    EXPECT_EQ(value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwitchLookup,
    testing::Values(SwitchCase{{}, false, ""}, SwitchCase{{"path"}, true, ""},
                    SwitchCase{{"path:"}, true, ""},
                    SwitchCase{{"PATH:C:\\Menus\\My.ini"}, true, "C:\\Menus\\My.ini"},
                    SwitchCase{{"-path:x"}, false, ""}, SwitchCase{{"/path:x"}, false, ""},
                    SwitchCase{{"pathfinder:x", "path:y"}, true, "y"},
                    SwitchCase{{"path:first", "path:second"}, true, "first"},
                    SwitchCase{{"path:C:\\a:b"}, true, "C:\\a:b"},
                    SwitchCase{{"pat", "x"}, false, ""},
                    SwitchCase{{"other:1", "path=2", "path:3"}, true, "3"}));

struct SettingsGuard {
    SettingsGuard() = default;
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;
    ~SettingsGuard() {
        SwitchSeparator = ':';
        SwitchCaseSensitive = false;
    }
};

TEST(SwitchLookup, FollowsTheLibraryWideSettings) {
    const SettingsGuard guard;
    std::string value;
    SwitchCaseSensitive = true;
    EXPECT_FALSE(FindSwitchValue({"PATH:x"}, "path", value));
    EXPECT_TRUE(FindSwitchValue({"PATH:x", "path:y"}, "path", value));
    EXPECT_EQ(value, "y");
    SwitchSeparator = '=';
    EXPECT_FALSE(FindSwitchValue({"path:x"}, "path", value));
    EXPECT_TRUE(FindSwitchValue({"path:x", "path=y:z"}, "path", value));
    EXPECT_EQ(value, "y:z");
}

} // namespace
