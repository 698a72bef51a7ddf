// What the Windows test programs share: a fresh temporary folder, whole-file reads and writes,
// the recorder helper's records, and waiting for a condition while messages are pumped.
#pragma once

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
std::string ReadBytes(const std::string& path);
void MakeFolder(const std::string& path);

// A path of the build tree (a Linux path, drive Z: under Wine) as Windows sees it.
std::string BuildTreePath(const std::string& unixPath);
// The recorder helper, built beside the tests.
std::string RecorderExe();

// The recorder's records in order; each maps its keys (cmdline, cwd, argc, arg0...) to values.
using Record = std::map<std::string, std::string>;
std::vector<Record> ReadRecords(const std::string& recordFile);

// Pumps this thread's messages until condition() holds or the timeout passes.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(15));
