#include "tests/support/TestSupport.h"
#include "utility/TextFile.h"
#include "utility/WinText.h"

#include <gtest/gtest.h>

namespace {

struct LoadCase {
    std::string bytes;
    std::string text;
};

class TextFileContent : public testing::TestWithParam<LoadCase> {
  protected:
    TestFolder folder;
};

TEST_P(TextFileContent, LosesTheUtf8MarkAndGetsCrLfLineBreaks) {
    const std::string file = folder / "menu.ini";
    WriteBytes(file, GetParam().bytes);
    std::string text = "stale";
    EXPECT_EQ(ReadTextFile(file, text), TextFileStatus::Loaded);
    EXPECT_EQ(text, GetParam().text);
    EXPECT_EQ(LoadTextFile(file), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextFileContent,
                         testing::Values(LoadCase{"", ""}, LoadCase{"\xEF\xBB\xBF", ""},
                                         LoadCase{"\xEF\xBB\xBF\xEF\xBB\xBF"
                                                  "a",
                                                  "\xEF\xBB\xBF"
                                                  "a"},
                                         LoadCase{"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd"},
                                         LoadCase{"x\r", "x\r\n"}, LoadCase{"caf\xE9", "caf\xE9"},
                                         LoadCase{std::string("\xFF\xFE"
                                                              "a\0\r\0\n\0",
                                                              8),
                                                  std::string("\xFF\xFE"
                                                              "a\0\r\n\0\r\n\0",
                                                              10)}));

class TextFileStates : public testing::Test {
  protected:
    TestFolder folder;
};

TEST_F(TextFileStates, NonAsciiFileNameLoads) {
    const std::string file = folder / "\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E.ini"; // "menu" in Russian
    WriteBytes(file, "\xD0\x96=1");
    EXPECT_EQ(LoadTextFile(file), "\xD0\x96=1");
}

TEST_F(TextFileStates, MissingFileAndFolderAreMissing) {
    std::string text = "stale";
    EXPECT_EQ(ReadTextFile(folder / "absent.ini", text), TextFileStatus::Missing);
    EXPECT_EQ(text, "");
    MakeFolder(folder / "apps.ini");
    EXPECT_EQ(ReadTextFile(folder / "apps.ini", text), TextFileStatus::Missing);
    EXPECT_EQ(LoadTextFile(folder / "apps.ini"), "");
    EXPECT_EQ(ReadTextFile("", text), TextFileStatus::Missing);
}

TEST_F(TextFileStates, FileHeldWithoutSharingIsUnreadable) {
    const std::string file = folder / "held.ini";
    WriteBytes(file, "a=b");
    const HeldFile held(file);
    ASSERT_TRUE(held.IsHeld());
    std::string text = "stale";
    EXPECT_EQ(ReadTextFile(file, text), TextFileStatus::Unreadable);
    EXPECT_EQ(text, "");
    EXPECT_EQ(LoadTextFile(file), "");
}

TEST_F(TextFileStates, ReadsWhileAnEditorHasTheFileOpenForWriting) {
    const std::string file = folder / "open.ini";
    WriteBytes(file, "a=b\n");
    const FileHandle editor(CreateFileW(WStr(Utf8ToUtf16(file)), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(editor);
    EXPECT_EQ(LoadTextFile(file), "a=b\r\n");
}

} // namespace
