// The built OstrelLauncher.exe as Windows loads it: header flags, imports and resources.
#include "tests/exe/PeImage.h"
#include "tests/support/TestSupport.h"
#include "utility/Handle.h"
#include "utility/Utf8.h"
#include "utility/WinText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace {

const std::string LauncherExe = BuildTreePath(OSTREL_LAUNCHER_EXE);

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

class ExeImage : public testing::Test {
  protected:
    static void SetUpTestSuite() { image_ = ReadPeImage(ReadBytes(LauncherExe)); }
    static PeImage image_;
};
PeImage ExeImage::image_;

TEST_F(ExeImage, IsA32BitGuiProgramWithAslrAndDep) {
    EXPECT_EQ(image_.file.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_NE(image_.file.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE, 0);
    EXPECT_EQ(image_.optional.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    const WORD flags = image_.optional.DllCharacteristics;
    EXPECT_NE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, 0);
    EXPECT_NE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT, 0);
}

TEST_F(ExeImage, KeepsItsRelocationsSoItCanMove) {
    // Without them a dynamic base is an empty promise: the loader must keep the image where
    // it was linked.
    EXPECT_EQ(image_.file.Characteristics & IMAGE_FILE_RELOCS_STRIPPED, 0);
    const IMAGE_DATA_DIRECTORY& relocations = image_.Directory(IMAGE_DIRECTORY_ENTRY_BASERELOC);
    EXPECT_GT(relocations.Size, 0u);
    EXPECT_NE(image_.SectionOf(relocations.VirtualAddress), nullptr);
}

TEST_F(ExeImage, ImportsOnlyWindowsOwnLibraries) {
    std::set<std::string> libraries;
    for (const ImportedLibrary& library : image_.imports) {
        libraries.insert(Upper(library.name));
    }
    // The C and C++ runtime are linked in; msvcrt is the system's own C library.
    const std::set<std::string> expected{"COMCTL32.DLL", "GDI32.DLL", "KERNEL32.DLL",
                                         "MSVCRT.DLL",   "OLE32.DLL", "SHELL32.DLL",
                                         "USER32.DLL"};
    EXPECT_EQ(libraries, expected);
}

TEST_F(ExeImage, ReachesTheDllSearchFunctionsOnlyAtRunTime) {
    // Windows 7 without KB2533623 lacks them: a static import would stop the exe there.
    for (const ImportedLibrary& library : image_.imports) {
        for (const std::string& function : library.functions) {
            EXPECT_NE(function, "SetDefaultDllDirectories") << library.name;
            EXPECT_NE(function, "AddDllDirectory") << library.name;
            EXPECT_NE(function, "RemoveDllDirectory") << library.name;
        }
    }
}

// The exe's resources, read through the system's own resource and version functions.
class ExeResources : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExW(WStr(Utf8ToUtf16(LauncherExe)), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() { FreeLibrary(module_); }

    void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot map " << LauncherExe; }

    static std::string ResourceBytes(LPCWSTR name, LPCWSTR type) {
        const HRSRC resource = FindResourceW(module_, name, type);
        if (resource == nullptr) {
            return {};
        }
        const auto* data = static_cast<const char*>(LockResource(LoadResource(module_, resource)));
        return data ? std::string(data, SizeofResource(module_, resource)) : std::string();
    }

    static HMODULE module_;
};
HMODULE ExeResources::module_ = nullptr;

TEST_F(ExeResources, MainIconHasASmallImageForTheTray) {
    std::string group = ResourceBytes(L"MAINICON", RT_GROUP_ICON);
    ASSERT_FALSE(group.empty());
    const int iconId = LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(group.data()), TRUE, 16,
                                                   16, LR_DEFAULTCOLOR);
    ASSERT_NE(iconId, 0);
    const IconHandle icon(
        static_cast<HICON>(LoadImageW(module_, L"MAINICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    EXPECT_TRUE(icon);
}

TEST_F(ExeResources, VersionNamesTheProductAndTheProjectVersion) {
    const Utf16String path = Utf8ToUtf16(LauncherExe);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(WStr(path), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(WStr(path), 0, size, block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\ProductName", &value, &length));
    EXPECT_EQ(Utf16ToUtf8(Utf16FromW(static_cast<LPCWSTR>(value))), "Ostrel Launcher");

    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    const std::string version = std::to_string(HIWORD(fixed.dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed.dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed.dwFileVersionLS));
    EXPECT_EQ(version, OSTREL_PROJECT_VERSION);
}

TEST_F(ExeResources, ManifestRunsAsInvokerWithoutUiAccess) {
    const std::string manifest = ResourceBytes(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    const std::size_t request = manifest.find("<requestedExecutionLevel");
    ASSERT_NE(request, std::string::npos);
    const std::string element = manifest.substr(request, manifest.find('>', request) - request);
    EXPECT_NE(element.find("level=\"asInvoker\""), std::string::npos) << element;
    EXPECT_NE(element.find("uiAccess=\"false\""), std::string::npos) << element;
}

} // namespace
