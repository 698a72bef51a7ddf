#include "utility/Paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    std::string path;
    std::string dir;      // ExtractFileDir
    std::string withSep;  // ExtractFilePath
    std::string baseName; // FileNameNoExt
};

class PathParts : public testing::TestWithParam<PathCase> {};

TEST_P(PathParts, AreCutAtTheSeparators) {
    const PathCase& c = GetParam();
    EXPECT_EQ(FileDir(c.path), c.dir);
    EXPECT_EQ(ExtractFilePath(c.path), c.withSep);
    EXPECT_EQ(FileNameNoExt(c.path), c.baseName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathParts,
    testing::Values(PathCase{"notepad.exe", "", "", "notepad"},
                    PathCase{"C:\\Tools\\app.exe", "C:\\Tools", "C:\\Tools\\", "app"},
                    PathCase{"C:/Tools/app.exe", "C:/Tools", "C:/Tools/", "app"},
                    PathCase{"C:\\app.exe", "C:\\", "C:\\", "app"},
                    PathCase{"C:app.exe", "C:", "C:", "app"},
                    PathCase{"\\app.exe", "\\", "\\", "app"},
                    PathCase{"\\\\server\\share\\x.txt", "\\\\server\\share", "\\\\server\\share\\",
                             "x"},
                    PathCase{"a\\\\b", "a\\\\", "a\\\\", "b"},
                    PathCase{"C:\\Tools\\", "C:\\Tools", "C:\\Tools\\", ""},
                    PathCase{"C:\\my.dir\\my.tool.exe", "C:\\my.dir", "C:\\my.dir\\", "my.tool"},
                    PathCase{"C:\\my.dir\\noext", "C:\\my.dir", "C:\\my.dir\\", "noext"},
                    PathCase{"C:\\x\\.profile", "C:\\x", "C:\\x\\", ""},
                    PathCase{"zeDodavi.exe", "", "", "zeDodavi"}, PathCase{"", "", "", ""}));

struct PackedCase {
    std::uint32_t date;
    double value;
};

class PackedDate : public testing::TestWithParam<PackedCase> {};

TEST_P(PackedDate, BecomesDaysSince1899) {
    EXPECT_DOUBLE_EQ(PackedDateToDateTime(static_cast<std::int32_t>(GetParam().date)),
                     GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PackedDate,
    testing::Values(PackedCase{0x00210000, 29221.0},                   // 1980-01-01 00:00:00
                    PackedCase{0x285D6000, 36585.5},                   // 2000-02-29 12:00:00
                    PackedCase{0x285D601D, 36585.5 + 58.0 / 86400},    // ... 12:00:58
                    PackedCase{0x285D601E, 0},                         // ... 12:00:60
                    PackedCase{0xFF9FBF7D, 75971.0 + 86398.0 / 86400}, // 2107-12-31 23:59:58
                    PackedCase{0xFFFFFFFF, 0},                         // -1, no date
                    PackedCase{0x00000000, 0},                         // month 0
                    PackedCase{0x265D0000, 0},                         // 1999-02-29
                    PackedCase{0x285E0000, 0},                         // 2000-02-30
                    PackedCase{0x285DC000, 0}));                       // hour 24

TEST(LocalFileTime, CountsDaysFromTheDateTimeEpoch) {
    constexpr std::uint64_t TicksPerDay = 864'000'000'000;
    constexpr std::uint64_t Epoch = 109'205 * TicksPerDay; // 1899-12-30 in file-time ticks
    EXPECT_DOUBLE_EQ(LocalFileTimeToDateTime(Epoch), 0.0);
    EXPECT_DOUBLE_EQ(LocalFileTimeToDateTime(Epoch + 29221 * TicksPerDay), 29221.0);
    EXPECT_DOUBLE_EQ(LocalFileTimeToDateTime(Epoch + 36585 * TicksPerDay + TicksPerDay / 2),
                     36585.5);
}

TEST(LocalFileTime, KeepsTwoMicrosecondStepsDistinctUpTo2107) {
    constexpr std::uint64_t TicksPerDay = 864'000'000'000;
    // The last second of 2107, where a double is coarsest, and a time in 1980.
    for (const std::uint64_t day : {109'205ULL + 75971, 109'205ULL + 29221}) {
        const std::uint64_t start = day * TicksPerDay + TicksPerDay - 10'000'000;
        for (std::uint64_t step = 0; step < 1000; ++step) {
            const std::uint64_t ticks = start + step * 20;
            ASSERT_LT(LocalFileTimeToDateTime(ticks), LocalFileTimeToDateTime(ticks + 20));
            ASSERT_EQ(LocalFileTimeToDateTime(ticks), LocalFileTimeToDateTime(ticks + 19));
        }
    }
}

} // namespace
