#include "bench/ProcessBench.h"

#include "bench/Stopwatch.h"
#include "utility/WinText.h"

#include <psapi.h>

#include <stdexcept>

namespace {

constexpr double AnswerTimeoutMs = 30'000;
constexpr DWORD CloseTimeoutMs = 10'000;
constexpr DWORD ChildTimeoutMs = 120'000;

int uncleanEnds = 0;

std::string OwnExe() {
    Utf16String path(MAX_PATH, u'\0');
    path.resize(GetModuleFileNameW(nullptr, WBuf(path), MAX_PATH));
    return Utf16ToUtf8(path);
}

} // namespace

HWND FindProcessWindow(const wchar_t* windowClass, DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) {
            return window;
        }
    }
    return nullptr;
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

double CommittedPrivateBytes(HANDLE process) {
    double total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += static_cast<double>(region.RegionSize);
        }
    }
    return total;
}

void RunBenchChild(const std::string& arguments) {
    Utf16String commandLine = Utf8ToUtf16("\"" + OwnExe() + "\" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, WBuf(commandLine), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        throw std::runtime_error("cannot start this program again");
    }
    const KernelHandle process(info.hProcess);
    const KernelHandle thread(info.hThread);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.get(), ChildTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        throw std::runtime_error("a measuring child did not finish: " + arguments);
    }
    if (!GetExitCodeProcess(process.get(), &exitCode) || exitCode != 0) {
        throw std::runtime_error("a measuring child failed: " + arguments);
    }
}

RunningProgram::RunningProgram(const std::string& exe, const std::string& arguments,
                               const wchar_t* windowClass) {
    Utf16String commandLine = Utf8ToUtf16("\"" + exe + "\" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const Stopwatch watch;
    if (!CreateProcessW(WStr(Utf8ToUtf16(exe)), WBuf(commandLine), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &info)) {
        throw std::runtime_error("cannot start " + exe);
    }
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    // Polled: nothing tells another process that a message loop has started.
    while (watch.ElapsedMs() < AnswerTimeoutMs) {
        if (WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) {
            throw std::runtime_error(exe + " ended before its window answered");
        }
        window_ = FindProcessWindow(windowClass, info.dwProcessId);
        if (window_ != nullptr && Answers(window_)) {
            startupMs_ = watch.ElapsedMs();
            return;
        }
        PumpMessagesFor(1);
    }
    TerminateProcess(process_.get(), 1);
    throw std::runtime_error(exe + " did not answer within 30 s");
}

RunningProgram::~RunningProgram() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process_.get(), CloseTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), CloseTimeoutMs);
    } else {
        GetExitCodeProcess(process_.get(), &exitCode);
    }
    if (exitCode != 0) {
        ++uncleanEnds;
    }
}

double RunningProgram::PrivateBytes() const {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process_.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return static_cast<double>(counters.PrivateUsage);
}

int UncleanEnds() {
    return uncleanEnds;
}

void PumpMessagesFor(double milliseconds) {
    const Stopwatch watch;
    for (double left = milliseconds; left > 0; left = milliseconds - watch.ElapsedMs()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}
