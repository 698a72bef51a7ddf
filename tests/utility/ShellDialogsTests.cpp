#include "shelldialogs/ShellDialogs.h"

#include <gtest/gtest.h>

namespace {

// The Run dialog itself is opened only by the end-to-end tests.
TEST(ShellDialogs, LoadOnceAndUnloadOnce) {
    ASSERT_FALSE(ShellDialogsLoaded());
    EXPECT_FALSE(UnloadShellDialogs());

    ASSERT_TRUE(LoadShellDialogs());
    EXPECT_TRUE(ShellDialogsLoaded());
    const HMODULE first = Shell32Handle;
    EXPECT_NE(first, nullptr);
    EXPECT_NE(RunFileDlg, nullptr);
    wchar_t name[MAX_PATH] = {};
    GetModuleFileNameW(first, name, MAX_PATH);
    EXPECT_NE(std::wstring(name).find(L"system32"), std::wstring::npos);

    EXPECT_TRUE(LoadShellDialogs());
    EXPECT_EQ(Shell32Handle, first);

    EXPECT_TRUE(UnloadShellDialogs());
    EXPECT_FALSE(ShellDialogsLoaded());
    EXPECT_EQ(Shell32Handle, nullptr);
    EXPECT_FALSE(UnloadShellDialogs());
}

} // namespace
