#include "tests/support/TestSupport.h"

#include "utility/Strings.h"
#include "utility/WinText.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <thread>

namespace {

Utf16String W(const std::string& text) {
    return Utf8ToUtf16(text);
}

void RemoveTree(const Utf16String& folder) {
    WIN32_FIND_DATAW entry{};
    const FindHandle search(FindFirstFileW(WStr(folder + u"\\*"), &entry));
    if (search) {
        do {
            const Utf16String name = Utf16FromW(entry.cFileName);
            if (name == u"." || name == u"..") {
                continue;
            }
            const Utf16String path = folder + u"\\" + name;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(WStr(path), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(WStr(path));
            }
        } while (FindNextFileW(search.get(), &entry));
    }
    RemoveDirectoryW(WStr(folder));
}

} // namespace

std::string BuildTreePath(const std::string& unixPath) {
    std::string result = unixPath.starts_with("/") ? "Z:" + unixPath : unixPath;
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

std::string RecorderExe() {
    return BuildTreePath(OSTREL_RECORDER_EXE);
}
std::string ConsoleErrorExe() {
    return BuildTreePath(OSTREL_CONSOLE_ERROR_EXE);
}

TestFolder::TestFolder() {
    static int serial = 0;
    Utf16String temp(MAX_PATH + 1, u'\0');
    temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), WBuf(temp)));
    // Non-ASCII letters in every test path: the program must never pass text through an
    // ANSI code page.
    path_ = Utf16ToUtf8(temp) + "ostrel \xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E \xC3\xBC " +
            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
            std::to_string(++serial);
    if (!CreateDirectoryW(WStr(W(path_)), nullptr)) {
        throw std::runtime_error("cannot create " + path_);
    }
}

TestFolder::~TestFolder() {
    RemoveTree(W(path_));
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    const FileHandle file(CreateFileW(WStr(W(path)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadBytes(const std::string& path) {
    const FileHandle file(CreateFileW(WStr(W(path)), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {};
    }
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryW(WStr(W(path)), nullptr)) {
        throw std::runtime_error("cannot create " + path);
    }
}

bool SetLastWriteTime(const std::string& path, const FILETIME& time) {
    const FileHandle file(CreateFileW(WStr(W(path)), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && SetFileTime(file.get(), nullptr, nullptr, &time);
}

FILETIME LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(WStr(W(path)), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

CurrentFolder::CurrentFolder(const std::string& folder) {
    saved_.resize(GetCurrentDirectoryW(0, nullptr));
    saved_.resize(GetCurrentDirectoryW(static_cast<DWORD>(saved_.size()), WBuf(saved_)));
    SetCurrentDirectoryW(WStr(W(folder)));
}

CurrentFolder::~CurrentFolder() {
    SetCurrentDirectoryW(WStr(saved_));
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    // One message at a time, so the condition is seen as soon as the message that makes it
    // true has been handled, before later ones (a timer tick, say) change things again.
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return true;
}

namespace {

// With output set, that inheritable handle becomes the program's standard output and error.
KernelHandle StartProcess(const std::string& program, const std::string& commandLine,
                          const std::string& currentFolder, HANDLE output) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    Utf16String line = W(commandLine);
    const Utf16String folder = W(currentFolder);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(WStr(W(program)), WBuf(line), nullptr, nullptr,
                        output != nullptr ? TRUE : FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.empty() ? nullptr : WStr(folder), &startup, &info)) {
        throw std::runtime_error("cannot start " + program);
    }
    CloseHandle(info.hThread);
    return KernelHandle(info.hProcess);
}

DWORD WaitForExit(const KernelHandle& process) {
    if (WaitForSingleObject(process.get(), 30'000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 99);
        throw std::runtime_error("a started program did not end");
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
}

} // namespace

ProcessResult RunProcess(const std::string& program, const std::string& commandLine,
                         const std::string& currentFolder, bool captureOutput) {
    if (!captureOutput) {
        return {WaitForExit(StartProcess(program, commandLine, currentFolder, nullptr)), {}};
    }
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        throw std::runtime_error("cannot create a pipe");
    }
    const KernelHandle reader(readEnd);
    KernelHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const KernelHandle process = StartProcess(program, commandLine, currentFolder, writeEnd);
    writer.reset(); // the child holds the only write end now, so reading ends when it exits

    ProcessResult result;
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(reader.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        result.output.append(buffer, read);
    }
    result.exitCode = WaitForExit(process);
    return result;
}

DWORD RunWithOutput(const std::string& program, const std::string& commandLine, HANDLE output) {
    return WaitForExit(StartProcess(program, commandLine, {}, output));
}

std::vector<Record> ReadRecords(const std::string& recordFile) {
    std::vector<Record> records;
    Record current;
    for (std::string line : SplitString(ReadBytes(recordFile), "\n")) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line == "end") {
            records.push_back(std::move(current));
            current.clear();
        } else if (!line.empty()) {
            const std::size_t equals = line.find('=');
            current[line.substr(0, equals)] =
                equals == std::string::npos ? std::string() : line.substr(equals + 1);
        }
    }
    return records;
}

Record LastRecord(const std::string& recordFile) {
    std::vector<Record> records = ReadRecords(recordFile);
    return records.empty() ? Record() : std::move(records.back());
}

RecordFileVariable::RecordFileVariable(const std::string& recordFile) {
    SetEnvironmentVariableW(L"OSTREL_RECORD_FILE", WStr(W(recordFile)));
}

RecordFileVariable::~RecordFileVariable() {
    SetEnvironmentVariableW(L"OSTREL_RECORD_FILE", nullptr);
}

HeldFile::HeldFile(const std::string& path) : path_(path) {
    Utf16String line = W("recorder \"hold:" + path + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(WStr(W(RecorderExe())), WBuf(line), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return;
    }
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    const Utf16String marker = W(path + ".held");
    held_ = WaitUntil(
        [&marker] { return GetFileAttributesW(WStr(marker)) != INVALID_FILE_ATTRIBUTES; });
}

HeldFile::~HeldFile() {
    if (process_) {
        WriteBytes(path_ + ".release", "");
        if (WaitForSingleObject(process_.get(), 10'000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 99);
        }
    }
}

StdoutCapture::StdoutCapture(std::string file) : file_(std::move(file)) {
    std::fflush(stdout);
    saved_ = _dup(_fileno(stdout));
    const int target = _wopen(WStr(W(file_)), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0600);
    _dup2(target, _fileno(stdout));
    _close(target);
}

StdoutCapture::~StdoutCapture() {
    Finish();
}

std::string StdoutCapture::Finish() {
    if (saved_ != -1) {
        std::fflush(stdout);
        _dup2(saved_, _fileno(stdout));
        _close(saved_);
        saved_ = -1;
    }
    std::string text = ReadBytes(file_);
    std::erase(text, '\r');
    return text;
}
