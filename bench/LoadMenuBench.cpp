#include "bench/LoadMenuBench.h"

#include "bench/Stopwatch.h"
#include "launcher/CommandSplit.h"
#include "launcher/LauncherState.h"
#include "launcher/MenuLoader.h"
#include "utility/Handle.h"
#include "utility/Paths.h"
#include "utility/WinText.h"

#include <shellapi.h>

#include <vector>

namespace {

// What the file system and the shell must be asked about one entry: its file, already split
// from the command, and whether a bare name may be looked up on the search path.
struct FloorEntry {
    Utf16String file;
    bool bare = false;
};

std::vector<FloorEntry> FloorEntries(const BenchMenu& menu) {
    std::vector<FloorEntry> entries;
    for (const std::string& command : menu.commands) {
        const std::string file = SplitCommandText(command).fileName;
        entries.push_back({Utf8ToUtf16(file), FileDir(file).empty()});
    }
    return entries;
}

// The file's time, its bytes, and per entry an existence test, a search-path lookup for a
// bare name that is not a file here, and the shell's icon index.
double RunFloor(const Utf16String& menuFile, const std::vector<FloorEntry>& entries) {
    const Stopwatch watch;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(WStr(menuFile), GetFileExInfoStandard, &data);
    const FileHandle file(CreateFileW(WStr(menuFile), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes(data.nFileSizeLow, '\0');
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), data.nFileSizeLow, &read, nullptr);

    wchar_t found[MAX_PATH];
    for (const FloorEntry& entry : entries) {
        LPCWSTR name = WStr(entry.file);
        const DWORD attributes = GetFileAttributesW(name);
        const bool isFile =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        if (!isFile && entry.bare &&
            SearchPathW(nullptr, name, nullptr, MAX_PATH, found, nullptr)) {
            name = found;
        }
        SHFILEINFOW info{};
        SHGetFileInfoW(name, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    }
    return watch.ElapsedMs();
}

double RunLoadMenu() {
    const Stopwatch watch;
    LoadMenu();
    return watch.ElapsedMs();
}

} // namespace

LoadMenuTimes MeasureLoadMenu(const BenchMenu& menu, int repeats) {
    MenuFileName = menu.path;
    const Utf16String menuFile = Utf8ToUtf16(menu.path);
    const std::vector<FloorEntry> entries = FloorEntries(menu);
    const std::vector<double> medians =
        MedianTimes({RunLoadMenu, [&] { return RunFloor(menuFile, entries); }}, repeats);
    return {static_cast<int>(menu.commands.size()), medians[0], medians[1]};
}
