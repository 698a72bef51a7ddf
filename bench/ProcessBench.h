// Programs started for measuring: time until their message loop answers and their memory; and
// this program started again as a child that measures itself.
#pragma once

#include "utility/Handle.h"

#include <windows.h>

#include <string>

// The hidden window of the class that belongs to the process, or null.
HWND FindProcessWindow(const wchar_t* windowClass, DWORD processId);

// True when the window's thread handles a message within five seconds.
bool Answers(HWND window);

// Committed private pages in the process's address space.
double CommittedPrivateBytes(HANDLE process);

// Started on construction and waited for until the hidden window of the class, in that
// process, answers a message. Ended cleanly on destruction: WM_CLOSE to that window.
class RunningProgram {
  public:
    RunningProgram(const std::string& exe, const std::string& arguments,
                   const wchar_t* windowClass);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    double StartupMs() const { return startupMs_; }
    // PrivateUsage as the system reports it.
    double PrivateBytes() const;
    double CommittedPrivateBytes() const { return ::CommittedPrivateBytes(process_.get()); }

  private:
    KernelHandle process_;
    KernelHandle thread_;
    HWND window_ = nullptr;
    double startupMs_ = 0;
};

// Starts this program again with the arguments and waits for it to end with exit code 0;
// throws when it does not.
void RunBenchChild(const std::string& arguments);

// Processes this run failed to end with WM_CLOSE and exit code 0.
int UncleanEnds();

// Handles this thread's messages (the application object's window lives here) for a while.
void PumpMessagesFor(double milliseconds);
