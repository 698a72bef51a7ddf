#include "bench/IdleCost.h"

#include "bench/ProcessBench.h"
#include "framework/MinTimers.h"
#include "launcher/LauncherState.h"
#include "launcher/Startup.h"
#include "tests/support/TestSupport.h"
#include "utility/CommandLine.h"

#include <future>
#include <memory>
#include <thread>

namespace {

constexpr DWORD SettleMs = 1000;
// GetProcessTimes counts in steps of 10 ms under Wine; over a minute that is 10 ms a minute.
constexpr DWORD WindowMs = 60'000;

double OwnCpuMs() {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               10'000.0;
    };
    return ms(kernel) + ms(user);
}

void RunIdleFramework() {
    const std::unique_ptr<TApp> application(new TApp("Idle reference"));
    Application = application.get();
    new TMinTimer(true, TMinNotifyEvent(), 1000);
    application->Run();
    Application = nullptr;
}

double ReadMsPerMinute(const std::string& resultFile) {
    return std::stod(ReadBytes(resultFile));
}

} // namespace

int RunIdleChild(const std::string& resultFile) {
    std::thread sampler([&resultFile] {
        // The window opens once the start-up is over and the loop answers; a child that
        // never gets there is ended by the parent's time limit.
        HWND window = nullptr;
        while ((window = FindProcessWindow(L"OstrelMinApplicationClass", GetCurrentProcessId())) ==
                   nullptr ||
               !Answers(window)) {
            Sleep(10);
        }
        Sleep(SettleMs);
        const double start = OwnCpuMs();
        Sleep(WindowMs);
        WriteBytes(resultFile, std::to_string((OwnCpuMs() - start) * 60'000 / WindowMs));
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    std::string menuFile;
    if (GetSwitchValue("path", menuFile)) {
        RunLauncher();
    } else {
        RunIdleFramework();
    }
    sampler.join();
    return 0;
}

IdleCpu MeasureIdleCpu(const std::string& menuFile, const std::string& folder) {
    const std::string launcherResult = folder + "\\idle-launcher.txt";
    const std::string frameworkResult = folder + "\\idle-framework.txt";
    auto launcher = std::async(std::launch::async, [&] {
        RunBenchChild("\"path:" + menuFile + "\" \"idle:" + launcherResult + "\"");
    });
    RunBenchChild("\"idle:" + frameworkResult + "\"");
    launcher.get();
    return {ReadMsPerMinute(launcherResult), ReadMsPerMinute(frameworkResult)};
}
