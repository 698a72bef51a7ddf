// What the Windows test programs share: a fresh temporary folder, whole files, the helper
// programs and their records, processes with known command lines, and waiting for a
// condition while this thread's messages are pumped.
#pragma once

#include "utility/Handle.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A new folder under the system's temporary folder, with non-ASCII letters in its name;
// removed with everything in it when the object goes.
class TestFolder {
  public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; } // UTF-8, no trailing backslash
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path); // empty when the file cannot be read
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

// A path of the build tree (a Linux path; Wine sees the root as drive Z:) as Windows sees it.
std::string BuildTreePath(const std::string& unixPath);
std::string RecorderExe();     // records how it was started (see tests/helpers)
std::string ConsoleErrorExe(); // a console program that reports an error

// The recorder's records in order; each maps its keys (cmdline, cwd, argc, arg0...) to values.
using Record = std::map<std::string, std::string>;
std::vector<Record> ReadRecords(const std::string& recordFile);
Record LastRecord(const std::string& recordFile); // empty when there is none

// Sets OSTREL_RECORD_FILE for the processes this one starts, and unsets it afterwards.
class RecordFileVariable {
  public:
    explicit RecordFileVariable(const std::string& recordFile);
    RecordFileVariable(const RecordFileVariable&) = delete;
    RecordFileVariable& operator=(const RecordFileVariable&) = delete;
    ~RecordFileVariable();
};

// Another process (the recorder) holds the file open without sharing until this object ends.
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

struct ProcessResult {
    DWORD exitCode = 0;
    std::string output; // standard output, when captured
};
// Starts the program with exactly this command line, waits for it (at most 30 s).
ProcessResult RunProcess(const std::string& program, const std::string& commandLine,
                         const std::string& currentFolder = {}, bool captureOutput = false);
// Starts the program with the inheritable handle as its standard output; returns its exit code.
DWORD RunWithOutput(const std::string& program, const std::string& commandLine, HANDLE output);

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

// Handles this thread's messages one by one until condition() holds or the timeout passes.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));
