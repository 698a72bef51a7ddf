// The launcher's speed and standing cost under the real system, each against a floor or a
// reference measured in the same run. Prints a Markdown table; the switch chart:FILE also
// writes the LoadMenu series (entries, loader ms, floor ms) as CSV. With phases:FILE or
// idle:FILE it is a child that measures itself instead.
#include "bench/BenchMenus.h"
#include "bench/IdleCost.h"
#include "bench/LoadMenuBench.h"
#include "bench/PopupBench.h"
#include "bench/ProcessBench.h"
#include "bench/StartupPhases.h"
#include "bench/Stopwatch.h"
#include "launcher/LauncherState.h"
#include "tests/support/TestSupport.h"
#include "utility/CommandLine.h"
#include "utility/Library.h"
#include "utility/WinText.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::string LauncherExe = BuildTreePath(OSTREL_LAUNCHER_EXE);
const std::string MinimalExe = BuildTreePath(OSTREL_MINIMAL_EXE);
constexpr wchar_t LauncherWindowClass[] = L"OstrelMinApplicationClass";
constexpr wchar_t MinimalWindowClass[] = L"OstrelBenchMinimalClass";

constexpr double MiB = 1024.0 * 1024.0;

struct MenuSize {
    int entries;
    int repeats;
};
// Fewer runs where one run takes seconds.
constexpr MenuSize MenuSizes[] = {{10, 51}, {100, 21}, {1000, 7}, {10000, 3}};

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

struct Row {
    std::string measure;
    std::string value;
    std::string reference;
    std::string ratio;
    std::string target;
    std::string met;
};

std::string Verdict(bool met) {
    return met ? "yes" : "no";
}

void PrintTable(const std::vector<Row>& rows) {
    std::printf("| Measure | Ostrel Launcher | Floor or reference | Ratio | Target | Met |\n");
    std::printf("|---|---:|---:|---:|---|---|\n");
    for (const Row& row : rows) {
        std::printf("| %s | %s | %s | %s | %s | %s |\n", row.measure.c_str(), row.value.c_str(),
                    row.reference.c_str(), row.ratio.c_str(), row.target.c_str(), row.met.c_str());
    }
}

void WriteChartData(const std::string& file, const std::vector<LoadMenuTimes>& loads) {
    std::string csv = "entries,loadmenu_ms,floor_ms\n";
    for (const LoadMenuTimes& load : loads) {
        csv += std::to_string(load.entries) + "," + Fixed(load.loadMs, 4) + "," +
               Fixed(load.floorMs, 4) + "\n";
    }
    WriteBytes(file, csv);
}

std::string MenuArgument(const std::string& menuFile) {
    return "\"path:" + menuFile + "\"";
}

double ExeBytes() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(WStr(Utf8ToUtf16(LauncherExe)), GetFileExInfoStandard, &data)) {
        throw std::runtime_error("cannot find " + LauncherExe);
    }
    return static_cast<double>(data.nFileSizeLow);
}

// LoadMenu at every size, and the popup menus of the 1,000-entry tree while it is loaded.
void MeasureMenus(const TestFolder& folder, std::vector<Row>& rows,
                  std::vector<LoadMenuTimes>& loads) {
    PopupTimes popup;
    for (const MenuSize& size : MenuSizes) {
        const LoadMenuTimes load =
            MeasureLoadMenu(WriteBenchMenu(folder.Path(), size.entries), size.repeats);
        loads.push_back(load);
        const double ratio = load.loadMs / load.floorMs;
        const bool judged = size.entries == 1000;
        rows.push_back({"LoadMenu, " + std::to_string(size.entries) + " entries",
                        Fixed(load.loadMs, 2) + " ms", Fixed(load.floorMs, 2) + " ms",
                        Fixed(ratio, 2) + "x", judged ? "within 1.2x" : "",
                        judged ? Verdict(ratio <= 1.2) : ""});
        if (judged) {
            popup = MeasurePopup(*MainMenu->Items, 21);
        }
    }
    const double ratio = popup.buildMs / popup.floorMs;
    rows.push_back({"Building the popup menus of the 1,000-entry tree",
                    Fixed(popup.buildMs, 2) + " ms", Fixed(popup.floorMs, 2) + " ms",
                    Fixed(ratio, 2) + "x", "within 1.2x", Verdict(ratio <= 1.2)});
}

// The launcher with 100 entries and with an empty menu, against the minimal program, and the
// time and memory of its steps. Returns the memory of the system image list step.
double MeasureStartup(const TestFolder& folder, std::vector<Row>& rows) {
    const std::string menuFile = WriteBenchMenu(folder.Path(), 100).path;
    const std::string menu = MenuArgument(menuFile);
    const std::string emptyMenu = MenuArgument(WriteBenchMenu(folder.Path(), 0).path);
    const auto startup = [](const std::string& exe, const std::string& arguments,
                            const wchar_t* windowClass) {
        return RunningProgram(exe, arguments, windowClass).StartupMs();
    };
    const std::vector<double> medians =
        MedianTimes({[&] { return startup(LauncherExe, menu, LauncherWindowClass); },
                     [&] { return startup(LauncherExe, emptyMenu, LauncherWindowClass); },
                     [&] { return startup(MinimalExe, "", MinimalWindowClass); }},
                    11);
    const double ratio = medians[0] / medians[2];
    rows.push_back({"Start-up to an answering message loop, 100 entries",
                    Fixed(medians[0], 1) + " ms", Fixed(medians[2], 1) + " ms (minimal program)",
                    Fixed(ratio, 2) + "x", "within 1.5x", Verdict(ratio <= 1.5)});
    rows.push_back({"Start-up, empty menu", Fixed(medians[1], 1) + " ms",
                    Fixed(medians[2], 1) + " ms (minimal program)",
                    Fixed(medians[1] / medians[2], 2) + "x", "", ""});
    double imageListBytes = 0;
    for (const StartupPhase& phase : MeasureStartupPhases(menuFile, folder.Path(), 5)) {
        rows.push_back({"Start-up step, 100 entries: " + phase.name, Fixed(phase.ms, 1) + " ms",
                        "+" + Fixed(phase.committedBytes / MiB, 2) + " MiB committed", "", "", ""});
        if (phase.name == SystemImageListPhase) {
            imageListBytes = phase.committedBytes;
        }
    }
    return imageListBytes;
}

// The launcher with 1,000 entries: its CPU time while idle, its memory against the minimal
// program and against the launcher with an empty menu. Wine's share of the memory is the
// minimal program's and what attaching the system image lists commits.
void MeasureStandingCost(const TestFolder& folder, double imageListBytes, std::vector<Row>& rows) {
    const std::string menuFile = WriteBenchMenu(folder.Path(), 1000).path;
    const IdleCpu idle = MeasureIdleCpu(menuFile, folder.Path());
    rows.push_back({"Idle CPU per minute, 1,000 entries (own GetProcessTimes over 60 s)",
                    Fixed(idle.launcherMsPerMinute, 0) + " ms",
                    Fixed(idle.frameworkMsPerMinute, 0) + " ms (idle framework, 1 s timer)", "",
                    "under 20 ms", Verdict(idle.launcherMsPerMinute < 20)});
    // The handler alone, in this process, on the unchanged file that the last LoadMenu read.
    const double tickMs = MedianTimes({[] {
                                          const Stopwatch watch;
                                          Application->TimerTick(nullptr);
                                          return watch.ElapsedMs();
                                      }},
                                      301)[0];
    rows.push_back({"TimerTick per minute (60 ticks, handler only)", Fixed(tickMs * 60, 2) + " ms",
                    "", "", "", ""});

    const RunningProgram launcher(LauncherExe, MenuArgument(menuFile), LauncherWindowClass);
    const RunningProgram emptyLauncher(
        LauncherExe, MenuArgument(WriteBenchMenu(folder.Path(), 0).path), LauncherWindowClass);
    const RunningProgram minimal(MinimalExe, "", MinimalWindowClass);
    const auto mib = [](double bytes) { return Fixed(bytes / MiB, 2) + " MiB"; };
    const double privateBytes = launcher.PrivateBytes();
    rows.push_back({"Private bytes after 1,000 entries (PrivateUsage)",
                    privateBytes > 0 ? mib(privateBytes) : "Wine reports 0",
                    minimal.PrivateBytes() > 0 ? mib(minimal.PrivateBytes()) + " (minimal)" : "",
                    "", "under 4 MiB", privateBytes > 0 ? Verdict(privateBytes < 4 * MiB) : ""});
    const double committed = launcher.CommittedPrivateBytes();
    const double emptyCommitted = emptyLauncher.CommittedPrivateBytes();
    const double minimalCommitted = minimal.CommittedPrivateBytes();
    const double wineShare = minimalCommitted + imageListBytes;
    rows.push_back({"Committed private memory after 1,000 entries (VirtualQueryEx), all",
                    mib(committed), mib(minimalCommitted) + " (minimal)",
                    "+" + mib(committed - minimalCommitted), "", ""});
    rows.push_back(
        {"Committed private memory, Wine's share: minimal program and system image lists",
         mib(wineShare), "", "", "", ""});
    rows.push_back({"Committed private memory after 1,000 entries, the launcher's own share",
                    mib(committed - wineShare), "", "", "under 4 MiB",
                    Verdict(committed - wineShare < 4 * MiB)});
    rows.push_back({"Committed private memory of the 1,000 entries (against an empty menu)",
                    mib(committed - emptyCommitted), "", "", "", ""});
}

int RunBenchmarks() {
    const TestFolder folder;
    // Bare names are looked up from here first, as from a launcher started in some folder.
    SetCurrentDirectoryW(WStr(Utf8ToUtf16(folder.Path())));

    // The launcher's state as its start-up leaves it, short of the tray icon.
    const std::unique_ptr<TApp> application(new TApp("Ostrel Launcher benchmark"));
    Application = application.get();
    ImageList = new TMinImageList();
    if (!ImageList->LoadSystemImageList(true)) {
        throw std::runtime_error("the system image list is not available");
    }

    std::vector<Row> rows;
    std::vector<LoadMenuTimes> loads;
    MeasureMenus(folder, rows, loads);
    const double imageListBytes = MeasureStartup(folder, rows);
    MeasureStandingCost(folder, imageListBytes, rows);
    const double exeBytes = ExeBytes();
    rows.push_back({"OstrelLauncher.exe, stripped", Fixed(exeBytes / 1024, 1) + " KiB", "", "",
                    "under 300 KiB", Verdict(exeBytes < 300 * 1024)});

    PrintTable(rows);
    if (UncleanEnds() > 0) {
        std::printf("\n%d started programs did not end cleanly on WM_CLOSE.\n", UncleanEnds());
    }
    std::string chartFile;
    if (GetSwitchValue("chart", chartFile)) {
        WriteChartData(chartFile, loads);
    }

    MainMenu = nullptr;
    ImageList = nullptr;
    Application = nullptr;
    return UncleanEnds() == 0 ? 0 : 1;
}

} // namespace

int main() {
    StartUtilityLibrary();
    try {
        std::string resultFile;
        if (GetSwitchValue("phases", resultFile)) {
            return RunStartupPhases(resultFile);
        }
        if (GetSwitchValue("idle", resultFile)) {
            return RunIdleChild(resultFile);
        }
        return RunBenchmarks();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench: %s\n", error.what());
        return 1;
    }
}
