#include "tests/support/TestSupport.h"

#include "utility/Utf8.h"
#include "utility/WinText.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string FromWide(const wchar_t* text) {
    return Utf16ToUtf8(reinterpret_cast<const char16_t*>(text));
}

} // namespace

TestFolder::TestFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    static int serial = 0;
    const std::string name = "ostrel \xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E \xC3\xBC " +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    path_ = FromWide(temp) + name;
    std::filesystem::remove_all(FsPath(path_));
    std::filesystem::create_directories(FsPath(path_));
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FsPath(path_), ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void MakeFolder(const std::string& path) {
    std::filesystem::create_directories(FsPath(path));
}

std::string BuildTreePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string RecorderExe() {
    return BuildTreePath(OSTREL_RECORDER_EXE);
}

std::vector<Record> ReadRecords(const std::string& recordFile) {
    std::vector<Record> records;
    std::istringstream lines(ReadBytes(recordFile));
    Record current;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line == "end") {
            records.push_back(std::move(current));
            current.clear();
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            current[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return records;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
