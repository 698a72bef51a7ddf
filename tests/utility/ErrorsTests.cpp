#include "tests/support/TestSupport.h"
#include "utility/Errors.h"
#include "utility/WinText.h"

#include <gtest/gtest.h>

namespace {

TEST(ShowError, ThisTestProgramIsAConsoleProgram) {
    EXPECT_TRUE(IsConsoleProgram());
}

TEST(ShowError, AConsoleProgramWritesTheOemTextToStandardOutput) {
    // A double quote cannot reach an argument: the command line drops every one.
    const std::string text = "Cannot copy file C:\\caf\xC3\xA9";
    const ProcessResult result =
        RunProcess(ConsoleErrorExe(), "console_error \"console-error:" + text + "\"", {}, true);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, ToOemText(text) + "\r\n");
    EXPECT_EQ(result.output, "Cannot copy file C:\\caf\x82\r\n"); // OEM code page 437
}

TEST(ShowError, AnEmptyTextIsAnEmptyLine) {
    const ProcessResult result =
        RunProcess(ConsoleErrorExe(), "console_error console-error:", {}, true);
    EXPECT_EQ(result.output, "\r\n");
}

TEST(ShowError, AFailedConsoleWriteIsRaised) {
    TestFolder folder;
    WriteBytes(folder / "read-only-output.txt", "");
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    const FileHandle readOnly(CreateFileW(WStr(Utf8ToUtf16(folder / "read-only-output.txt")),
                                          GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                          nullptr));
    ASSERT_TRUE(readOnly);
    // The helper ends with 2 when ShowError throws.
    EXPECT_EQ(RunWithOutput(ConsoleErrorExe(), "console_error console-error:text", readOnly.get()),
              2u);
}

TEST(ShowError, AGuiProgramHandsTheTextToTheErrorHandler) {
    TestFolder folder;
    const RecordFileVariable variable(folder / "record.log");
    const std::string text = "Fehler: \xD0\x96 caf\xC3\xA9";
    const ProcessResult result =
        RunProcess(RecorderExe(), "recorder \"error-handler:" + text + "\"");
    EXPECT_EQ(result.exitCode, 0u);
    auto record = LastRecord(folder / "record.log");
    EXPECT_EQ(record["error"], text); // unchanged UTF-8, and no message box held it up
}

TEST(ToOemText, ConvertsToTheOemCodePage) {
    ASSERT_EQ(GetOEMCP(), 437u);
    EXPECT_EQ(ToOemText("caf\xC3\xA9"), "caf\x82");
    EXPECT_EQ(ToOemText(""), "");
    EXPECT_EQ(ToOemText("\xE2\x82\xAC"), "?"); // no euro sign in code page 437
}

} // namespace
