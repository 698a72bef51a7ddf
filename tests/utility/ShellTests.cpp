#include "tests/support/TestSupport.h"
#include "utility/Files.h"
#include "utility/Shell.h"
#include "utility/Strings.h"

#include <gtest/gtest.h>

namespace {

class ShellLaunch : public testing::Test {
  protected:
    TestFolder folder;
    const std::string recordFile = folder / "record.log";
    const RecordFileVariable variable{recordFile};
    const std::string appFolder = folder / "with blank";
    const std::string app = appFolder + "\\rec.exe";

    void SetUp() override {
        MakeFolder(appFolder);
        ASSERT_TRUE(CopyFilePlain(RecorderExe(), app, false));
    }

    // The shell starts the program without telling us its process: wait for its record.
    std::map<std::string, std::string> Launched(const std::string& file,
                                                const std::string& parameters,
                                                const std::string& workingFolder) {
        EXPECT_TRUE(ShellOpen(file, parameters, workingFolder));
        EXPECT_TRUE(WaitUntil([this] { return ReadBytes(recordFile).ends_with("end\n"); }));
        return LastRecord(recordFile);
    }
};

TEST_F(ShellLaunch, QuotesAPathWithBlanksAndDerivesItsFolder) {
    auto record = Launched(app, "alpha \"b c\" path:x", "");
    EXPECT_EQ(record["arg0"], app);
    EXPECT_EQ(record["argc"], "3");
    EXPECT_EQ(record["arg1"], "alpha");
    EXPECT_EQ(record["arg2"], "b c");
    EXPECT_EQ(record["switch.path"], "x");
    EXPECT_EQ(record["cwd"], appFolder);
    EXPECT_TRUE(record["cmdline"].starts_with("\"" + app + "\"")) << record["cmdline"];
}

TEST_F(ShellLaunch, AQuotedPathIsNotQuotedAgain) {
    auto record = Launched("\"" + app + "\"", "", "");
    EXPECT_EQ(record["arg0"], app);
    EXPECT_EQ(record["argc"], "0");
    EXPECT_EQ(record["cwd"], appFolder);
}

TEST_F(ShellLaunch, AGivenWorkingFolderIsUsed) {
    MakeFolder(folder / "work");
    auto record = Launched(app, "", folder / "work");
    EXPECT_EQ(record["cwd"], folder / "work");
}

TEST_F(ShellLaunch, APathWithoutBlanksAndAFolderInARoot) {
    const std::string plain = folder / "plain.exe";
    ASSERT_TRUE(CopyFilePlain(RecorderExe(), plain, false));
    auto record = Launched(plain, "one", "");
    EXPECT_EQ(record["arg0"], plain);
    EXPECT_EQ(record["arg1"], "one");
    EXPECT_EQ(record["cwd"], folder.Path());
}

class CommandLookup : public testing::Test {
  protected:
    TestFolder folder;
    const CurrentFolder current{folder.Path()};
};

TEST_F(CommandLookup, FindsAFileInTheCurrentFolderFirst) {
    WriteBytes(folder / "notepad.exe", "");
    std::string found;
    EXPECT_TRUE(LocateCommand("notepad.exe", found));
    EXPECT_EQ(found, folder / "notepad.exe");
}

TEST_F(CommandLookup, FindsAProgramOnTheSearchPath) {
    std::string found;
    EXPECT_TRUE(LocateCommand("notepad.exe", found));
    EXPECT_TRUE(FileExistsChecked(found, false)) << found;
    EXPECT_TRUE(SameTextAscii(found.substr(found.size() - 12), "\\notepad.exe")) << found;
    EXPECT_NE(found, folder / "notepad.exe");
}

TEST_F(CommandLookup, NeedsTheExtensionAndSkipsFolders) {
    WriteBytes(folder / "ostrel-tool.exe", "");
    MakeFolder(folder / "ostrel-dir.exe");
    std::string found = "stale";
    EXPECT_FALSE(LocateCommand("ostrel-tool", found));
    EXPECT_EQ(found, "");
    // A folder is passed over by the first step; what the system search says then stands.
    std::string searched;
    EXPECT_EQ(LocateCommand("ostrel-dir.exe", found), SearchFile("ostrel-dir.exe", searched));
    EXPECT_EQ(found, searched);
    EXPECT_FALSE(LocateCommand("", found));
    EXPECT_EQ(found, "");
}

} // namespace
