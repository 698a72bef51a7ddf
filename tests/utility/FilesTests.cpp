#include "tests/support/TestSupport.h"
#include "utility/Errors.h"
#include "utility/Files.h"
#include "utility/Paths.h"
#include "utility/Strings.h"
#include "utility/WinText.h"

#include <gtest/gtest.h>

namespace {

class Files : public testing::Test {
  protected:
    TestFolder folder;
    const std::string file = folder / "\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB.txt"; // Cyrillic name
    void SetUp() override { WriteBytes(file, "content"); }

    // Local time to a system file time, whole 100 ns resolution kept.
    static FILETIME LocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second,
                              WORD millisecond) {
        const SYSTEMTIME local{year, month, 0, day, hour, minute, second, millisecond};
        FILETIME localFile{};
        FILETIME utc{};
        SystemTimeToFileTime(&local, &localFile);
        LocalFileTimeToFileTime(&localFile, &utc);
        return utc;
    }
};

TEST_F(Files, ExistenceMeansAFileThatIsNoFolder) {
    MakeFolder(folder / "sub");
    EXPECT_TRUE(FileExistsChecked(file, false));
    EXPECT_FALSE(FileExistsChecked(folder / "sub", false));
    EXPECT_FALSE(FileExistsChecked(folder / "absent.txt", false));
    EXPECT_FALSE(FileExistsChecked("", false));
    EXPECT_FALSE(FileExistsChecked(folder / "bad|name", false));
}

TEST_F(Files, MissingFileIsReportedOnlyWhenAsked) {
    MakeFolder(folder / "sub");
    StdoutCapture output(folder / "stdout.txt");
    EXPECT_FALSE(FileExistsChecked(folder / "sub", false));
    EXPECT_TRUE(FileExistsChecked(file, true));
    EXPECT_FALSE(FileExistsChecked(folder / "sub", true));
    // A test program is a console program: the report goes to standard output, in OEM text.
    EXPECT_EQ(output.Finish(),
              ToOemText("File or folder \"" + folder / "sub" + "\" is not exists") + "\n");
}

TEST_F(Files, PackedDateIsSetAndReadBack) {
    const std::int32_t date = 0x285D6000; // 2000-02-29 12:00:00
    EXPECT_EQ(SetFileDate(file, date), 0u);
    EXPECT_EQ(FileDate(file), date);
    EXPECT_DOUBLE_EQ(FileModifiedTime(file), PackedDateToDateTime(date));
}

TEST_F(Files, PackedDateFailures) {
    MakeFolder(folder / "sub");
    EXPECT_EQ(FileDate(folder / "sub"), -1);
    EXPECT_EQ(FileDate(folder / "absent.txt"), -1);
    EXPECT_EQ(SetFileDate(folder / "absent.txt", 0x285D6000),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(SetFileDate(file, 0x285EC000), 0u); // February 30th at 24:00
    ASSERT_TRUE(SetLastWriteTime(file, LocalTime(1975, 6, 1, 12, 0, 0, 0)));
    EXPECT_EQ(FileDate(file), -1);
}

TEST_F(Files, SetFileDateFailsWhileAnotherProcessHoldsTheFile) {
    const HeldFile held(file);
    ASSERT_TRUE(held.IsHeld());
    EXPECT_EQ(SetFileDate(file, 0x285D6000), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
}

TEST_F(Files, FileTimeAndPackedDateConvertBothWays) {
    std::int32_t date = 0;
    ASSERT_TRUE(FileTimeToFileDate(LocalTime(2024, 3, 15, 13, 45, 31, 500), date));
    EXPECT_EQ(static_cast<std::uint32_t>(date), 0x586F6DAFu); // 13:45:30, two-second steps
    FILETIME back{};
    ASSERT_TRUE(FileDateToFileTime(date, back));
    const FILETIME expected = LocalTime(2024, 3, 15, 13, 45, 30, 0);
    EXPECT_EQ(CompareFileTime(&back, &expected), 0);

    EXPECT_FALSE(FileTimeToFileDate(LocalTime(1979, 12, 31, 23, 59, 58, 0), date));
    EXPECT_FALSE(FileDateToFileTime(-1, back));
}

TEST_F(Files, ModifiedTimeIsZeroWhenUnavailable) {
    MakeFolder(folder / "sub");
    EXPECT_EQ(FileModifiedTime(folder / "sub"), 0);
    EXPECT_EQ(FileModifiedTime(folder / "absent.txt"), 0);
    ASSERT_TRUE(SetLastWriteTime(file, LocalTime(1979, 12, 31, 23, 59, 59, 0)));
    EXPECT_EQ(FileModifiedTime(file), 0);
    ASSERT_TRUE(SetLastWriteTime(file, LocalTime(2108, 1, 1, 0, 0, 0, 0)));
    EXPECT_EQ(FileModifiedTime(file), 0);
}

TEST_F(Files, ModifiedTimeTellsTwoSavesWithinTwoSecondsApart) {
    ASSERT_TRUE(SetLastWriteTime(file, LocalTime(2024, 3, 15, 13, 45, 30, 100)));
    const double first = FileModifiedTime(file);
    const std::int32_t firstDate = FileDate(file);
    EXPECT_EQ(FileModifiedTime(file), first);

    ASSERT_TRUE(SetLastWriteTime(file, LocalTime(2024, 3, 15, 13, 45, 31, 900)));
    EXPECT_EQ(FileDate(file), firstDate); // the packed date cannot tell them apart
    EXPECT_GT(FileModifiedTime(file), first);
    EXPECT_NEAR(FileModifiedTime(file) - first, 1.8 / 86400, 1e-9);
    EXPECT_NEAR(first, EncodeDateTime(2024, 3, 15, 13, 45, 30) + 0.1 / 86400, 1e-9);
}

TEST_F(Files, ModifiedTimeFollowsARealWrite) {
    const double before = FileModifiedTime(file);
    const FILETIME old = LastWriteTime(file);
    ASSERT_TRUE(WaitUntil([&] {
        WriteBytes(file, "changed");
        const FILETIME now = LastWriteTime(file);
        return CompareFileTime(&now, &old) != 0;
    }));
    EXPECT_NE(FileModifiedTime(file), before);
    EXPECT_NE(FileModifiedTime(file), 0);
}

TEST_F(Files, CopyOverwritesAndKeepsTheDateWhenAsked) {
    const std::string copy = folder / "copy.txt";
    WriteBytes(copy, "old");
    ASSERT_EQ(SetFileDate(file, 0x285D6000), 0u);
    EXPECT_TRUE(CopyFilePlain(file, copy, true));
    EXPECT_EQ(ReadBytes(copy), "content");
    EXPECT_EQ(FileDate(copy), 0x285D6000);
    EXPECT_FALSE(CopyFilePlain(folder / "absent.txt", copy, false));
}

TEST_F(Files, CheckedCopy) {
    const std::string existing = folder / "existing.txt";
    WriteBytes(existing, "keep me");
    StdoutCapture output(folder / "stdout.txt");

    // A missing source is never reported.
    EXPECT_FALSE(CopyFileChecked(folder / "absent.txt", folder / "new.txt", false, true, false));
    // With noOverwrite an existing destination stays as it was, silently.
    EXPECT_FALSE(CopyFileChecked(file, existing, true, true, false));
    EXPECT_EQ(ReadBytes(existing), "keep me");
    EXPECT_EQ(output.Finish(), "");

    EXPECT_TRUE(CopyFileChecked(file, folder / "new.txt", true, true, false));
    EXPECT_EQ(ReadBytes(folder / "new.txt"), "content");
    EXPECT_TRUE(CopyFileChecked(file, existing, false, true, false));
    EXPECT_EQ(ReadBytes(existing), "content");
}

TEST_F(Files, FailedCopyIsReportedWithTheSourceOnlyWhenAsked) {
    const std::string source = folder / "source.txt";
    WriteBytes(source, "x");
    const std::string destination = folder / "absent\\target.txt";
    StdoutCapture output(folder / "stdout.txt");
    EXPECT_FALSE(CopyFileChecked(source, destination, false, false, false));
    EXPECT_FALSE(CopyFileChecked(source, destination, false, true, false));
    EXPECT_EQ(output.Finish(), ToOemText("Cannot copy file \"" + source + "\"") + "\n");
}

TEST_F(Files, SearchFileNeedsTheExactName) {
    WriteBytes(folder / "ostrel-search.txt", "");
    WriteBytes(folder / "ostrel-noext", "");
    const CurrentFolder current(folder.Path());
    std::string found = "stale";
    EXPECT_TRUE(SearchFile("ostrel-search.txt", found));
    EXPECT_TRUE(SameTextAscii(found, folder / "ostrel-search.txt")) << found;
    EXPECT_FALSE(SearchFile("ostrel-search", found));
    EXPECT_EQ(found, "");
    EXPECT_TRUE(SearchFile("ostrel-noext", found));
    EXPECT_TRUE(SameTextAscii(found, folder / "ostrel-noext")) << found;
}

TEST_F(Files, SearchFileNeverCutsALongPath) {
    std::string deep = folder.Path() + "\\";
    while (deep.size() < 300) {
        deep += "a-rather-long-folder-name\\";
        MakeFolder(deep);
    }
    WriteBytes(deep + "ostrel-deep.txt", "");
    Utf16String saved(32767, u'\0');
    saved.resize(GetEnvironmentVariableW(L"PATH", WBuf(saved), 32767));
    SetEnvironmentVariableW(L"PATH", WStr(Utf8ToUtf16(deep + ";" + Utf16ToUtf8(saved))));
    std::string found;
    const bool result = SearchFile("ostrel-deep.txt", found);
    SetEnvironmentVariableW(L"PATH", WStr(saved));
    EXPECT_TRUE(result);
    EXPECT_TRUE(SameTextAscii(found, deep + "ostrel-deep.txt")) << found;
}

TEST_F(Files, ExpandPathResolvesRelativeNamesAndDots) {
    const CurrentFolder current(folder.Path());
    EXPECT_EQ(ExpandPath("a/b/../C.txt"), folder / "a\\C.txt");
    EXPECT_EQ(ExpandPath("Name.EXE"), folder / "Name.EXE");
    EXPECT_EQ(ExpandPath("C:\\x\\.\\y\\..\\Z"), "C:\\x\\Z");
    EXPECT_EQ(ExpandPath("C:/x/y"), "C:\\x\\y");
}

} // namespace
