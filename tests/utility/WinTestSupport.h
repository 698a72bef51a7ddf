// Real files, folders and processes for the Win32 utility tests.
#pragma once

#include "utility/Handle.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>

// A build-tree path (a Unix path under Wine, which sees the root as drive Z:) as a Windows path.
std::string HostPathToWindows(const std::string& path);
std::string RecorderExe();
std::string ConsoleErrorExe();

// A fresh folder under the user's temporary folder, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& Path() const { return path_; } // ends with a backslash
    std::string operator/(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
void MakeFolder(const std::string& path);
bool SetLastWriteTime(const std::string& path, const FILETIME& time);
FILETIME LastWriteTime(const std::string& path);

// Makes the folder the current one while it lives.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::string& folder);
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    ~CurrentFolder();

  private:
    std::u16string saved_;
};

// Polls every 20 ms until the condition holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20'000);

struct ProcessResult {
    DWORD exitCode = 0;
    std::string output; // standard output, when captured
};
// Starts the program with exactly this command line, waits for it (at most 30 s).
ProcessResult RunProcess(const std::string& program, const std::string& commandLine,
                         const std::string& currentFolder = {}, bool captureOutput = false);
// Starts the program with the inheritable handle as its standard output; returns its exit code.
DWORD RunWithOutput(const std::string& program, const std::string& commandLine, HANDLE output);

// The key=value lines of the last complete record in a recorder's record file.
std::map<std::string, std::string> LastRecord(const std::string& recordFile);

// Sets OSTREL_RECORD_FILE for the processes this one starts, and unsets it afterwards.
class RecordFileVariable {
  public:
    explicit RecordFileVariable(const std::string& recordFile);
    RecordFileVariable(const RecordFileVariable&) = delete;
    RecordFileVariable& operator=(const RecordFileVariable&) = delete;
    ~RecordFileVariable();
};

// Another process holds the file open without sharing until this object ends.
class HeldFile {
  public:
    explicit HeldFile(const std::string& path);
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile();

    bool IsHeld() const { return held_; }

  private:
    std::string path_;
    KernelHandle process_;
    bool held_ = false;
};

// Redirects this process's standard output (C runtime) into a file while it lives.
class StdoutCapture {
  public:
    explicit StdoutCapture(std::string file);
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;
    ~StdoutCapture();

    // Ends the capture and returns what was written, without carriage returns.
    std::string Finish();

  private:
    std::string file_;
    int saved_ = -1;
};
