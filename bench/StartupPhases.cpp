#include "bench/StartupPhases.h"

#include "bench/ProcessBench.h"
#include "bench/Stopwatch.h"
#include "framework/MinTimers.h"
#include "launcher/LauncherState.h"
#include "launcher/MenuLoader.h"
#include "launcher/Startup.h"
#include "tests/support/TestSupport.h"
#include "utility/CommandLine.h"
#include "utility/Library.h"

#include <map>
#include <memory>
#include <sstream>

namespace {

// One line per step: its name, a tab, its milliseconds, a tab, the bytes it committed.
class PhaseLog {
  public:
    explicit PhaseLog(long long startCount)
        : watch_(startCount), lastBytes_(CommittedPrivateBytes(GetCurrentProcess())) {}

    void Mark(const std::string& phase) {
        const double now = watch_.ElapsedMs();
        const double bytes = CommittedPrivateBytes(GetCurrentProcess());
        text_ += phase + "\t" + std::to_string(now - lastMs_) + "\t" +
                 std::to_string(bytes - lastBytes_) + "\n";
        lastMs_ = now;
        lastBytes_ = bytes;
    }
    const std::string& Text() const { return text_; }

  private:
    Stopwatch watch_;
    double lastMs_ = 0;
    double lastBytes_;
    std::string text_;
};

} // namespace

int RunStartupPhases(const std::string& resultFile) {
    std::string since;
    GetSwitchValue("since", since);
    PhaseLog log(std::stoll(since));
    log.Mark("process creation to main (of this benchmark's exe)");

    // The launcher's start-up, step by step; only the icon differs: this exe has no
    // "MAINICON".
    std::unique_ptr<TApp> application(new TApp(ApplicationTitle));
    Application = application.get();
    log.Mark("application object: window class and hidden window");
    ChooseMenuFile();
    ImageList = new TMinImageList();
    ImageList->LoadSystemImageList(true);
    log.Mark(SystemImageListPhase);
    DefaultIcon = LoadIconW(nullptr, IDI_APPLICATION);
    LoadMenu();
    log.Mark("LoadMenu, first load");
    CreateTrayMenu();
    TrayIcon = new TMinTrayIcon(DefaultIcon, true, "Ostrel Launcher");
    TrayIcon->PopupMenu = TrayMenu;
    TrayIcon->SetVisible(true);
    new TMinTimer(true, TMinNotifyEvent::Bind<&TApp::TimerTick>(Application), 1000);
    log.Mark("right-click menu, tray icon and timer");

    WriteBytes(resultFile, log.Text());
    application.reset();
    Application = nullptr;
    ImageList = nullptr;
    MainMenu = nullptr;
    TrayMenu = nullptr;
    TrayIcon = nullptr;
    return 0;
}

std::vector<StartupPhase> MeasureStartupPhases(const std::string& menuFile,
                                               const std::string& folder, int repeats) {
    const std::string resultFile = folder + "\\phases.txt";
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> times;
    std::map<std::string, std::vector<double>> bytes;
    for (int run = 0; run < repeats; ++run) {
        const Stopwatch watch;
        RunBenchChild("\"path:" + menuFile + "\" \"phases:" + resultFile +
                      "\" since:" + std::to_string(watch.StartCount()));
        std::istringstream lines(ReadBytes(resultFile));
        for (std::string phase, ms, added; std::getline(lines, phase, '\t') &&
                                           std::getline(lines, ms, '\t') &&
                                           std::getline(lines, added);) {
            if (times.find(phase) == times.end()) {
                order.push_back(phase);
            }
            times[phase].push_back(std::stod(ms));
            bytes[phase].push_back(std::stod(added));
        }
    }
    std::vector<StartupPhase> medians;
    for (const std::string& phase : order) {
        medians.push_back({phase, Median(times[phase]), Median(bytes[phase])});
    }
    return medians;
}
