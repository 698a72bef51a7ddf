// The command line, switches and program location of processes started with a known command
// line and executable name.
#include "tests/support/TestSupport.h"
#include "utility/CommandLine.h"
#include "utility/Files.h"
#include "utility/Library.h"
#include "utility/WinText.h"

#include <gtest/gtest.h>

namespace {

class StartedProcess : public testing::Test {
  protected:
    TestFolder folder;
    const std::string recordFile = folder / "record.log";
    const RecordFileVariable variable{recordFile};

    std::map<std::string, std::string> Run(const std::string& exeName,
                                           const std::string& commandLine) {
        const std::string exe = folder / exeName;
        if (!FileExistsChecked(exe, false)) {
            EXPECT_TRUE(CopyFilePlain(RecorderExe(), exe, false));
        }
        DeleteFileW(WStr(Utf8ToUtf16(recordFile)));
        const ProcessResult result = RunProcess(exe, commandLine, folder / "");
        EXPECT_EQ(result.exitCode, 0u);
        return LastRecord(recordFile);
    }
};

TEST_F(StartedProcess, ArgumentsNamesAndFolder) {
    const std::string line = "\"" + folder / "zeDodavi.exe" + "\" \"path:C:\\a b\\m.ini\" x\\\"y";
    auto record = Run("zeDodavi.exe", line);
    EXPECT_EQ(record["cmdline"], line);
    EXPECT_EQ(record["argc"], "2");
    EXPECT_EQ(record["arg0"], folder / "zeDodavi.exe");
    EXPECT_EQ(record["arg1"], "path:C:\\a b\\m.ini");
    EXPECT_EQ(record["arg2"], "x\\y");
    EXPECT_EQ(record.count("arg3"), 0u);
    EXPECT_EQ(record["programdir"], folder.Path() + "\\");
    EXPECT_EQ(record["basename"], "zeDodavi");
    EXPECT_EQ(record["title"], "zeDodavi");
    EXPECT_EQ(record["switch.path"], "C:\\a b\\m.ini");
}

TEST_F(StartedProcess, ArgumentZeroIsTheModuleNotTheTypedName) {
    auto record = Run("my.tool.exe", "whatever.exe \xD0\x96\xD1\x83\xD0\xBA caf\xC3\xA9");
    EXPECT_EQ(record["arg0"], folder / "my.tool.exe");
    EXPECT_EQ(record["arg1"], "\xD0\x96\xD1\x83\xD0\xBA"); // Cyrillic survives: read as UTF-16
    EXPECT_EQ(record["arg2"], "caf\xC3\xA9");
    EXPECT_EQ(record["basename"], "my.tool");
    EXPECT_EQ(record["title"], "my.tool");
    EXPECT_EQ(record["cwd"], folder.Path());
}

struct SwitchLine {
    std::string arguments;
    bool found;
    std::string value;
};

class SwitchOnCommandLine : public StartedProcess,
                            public testing::WithParamInterface<SwitchLine> {};

TEST_P(SwitchOnCommandLine, IsFoundByName) {
    auto record = Run("zeDodavi.exe", "zeDodavi " + GetParam().arguments);
    EXPECT_EQ(record.count("switch.path"), GetParam().found ? 1u : 0u);
    EXPECT_EQ(record["switch.path"], GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwitchOnCommandLine,
    testing::Values(SwitchLine{"", false, ""}, SwitchLine{"path", true, ""},
                    SwitchLine{"path:\"C:\\a b\\m.ini\"", true, "C:\\a b\\m.ini"},
                    SwitchLine{"\"PATH:C:\\A b\\M.ini\"", true, "C:\\A b\\M.ini"},
                    SwitchLine{"-path:x /path:y", false, ""},
                    SwitchLine{"pathfinder:x path:y path:z", true, "y"}));

TEST(Recorder, WritesBesideItselfWithoutARecordFileVariable) {
    TestFolder folder;
    ASSERT_TRUE(CopyFilePlain(RecorderExe(), folder / "rec.exe", false));
    EXPECT_EQ(RunProcess(folder / "rec.exe", "rec one").exitCode, 0u);
    auto record = LastRecord(folder / "recorder.log");
    EXPECT_EQ(record["arg1"], "one");
    EXPECT_EQ(record["programdir"], folder.Path() + "\\");
}

TEST(ThisProcess, ArgumentsOutOfRangeAreEmpty) {
    const std::int32_t count = CommandLineArgCount();
    EXPECT_EQ(CommandLineArg(-1), "");
    EXPECT_EQ(CommandLineArg(count + 1), "");
    EXPECT_TRUE(CommandLineArg(0).ends_with("\\utility_tests.exe")) << CommandLineArg(0);
    EXPECT_TRUE(FileExistsChecked(CommandLineArg(0), false));
}

TEST(ThisProcess, ProgramDirAndNames) {
    EXPECT_EQ(ProgramDir() + "utility_tests.exe", CommandLineArg(0));
    ProgramDirOverride = "D:\\elsewhere\\";
    EXPECT_EQ(ProgramDir(), "D:\\elsewhere\\");
    ProgramDirOverride.clear();

    StartUtilityLibrary();
    EXPECT_EQ(ProgramBaseName, "utility_tests");
    EXPECT_EQ(ApplicationTitle, "utility_tests");
    // Names a program set before start-up are kept.
    ApplicationTitle = "Ostrel Launcher";
    StartUtilityLibrary();
    EXPECT_EQ(ApplicationTitle, "Ostrel Launcher");
}

} // namespace
