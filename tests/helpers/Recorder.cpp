// Records how it was started, for tests that start it through the system or the shell.
//   (no special first argument)  appends a record to %OSTREL_RECORD_FILE% (default:
//                                recorder.log beside the exe): cmdline, cwd, argc, arg0..argN,
//                                programdir, basename, title, switch.path, then "end"
//   hold:<file>                  opens <file> sharing nothing, creates <file>.held and keeps
//                                the file open until <file>.release appears (at most 60 s)
//   error-handler:<text>         routes ShowError(text) to ErrorHandler, which appends a record
//                                "error=<text>" and "end"
#include "utility/CommandLine.h"
#include "utility/Errors.h"
#include "utility/Files.h"
#include "utility/Handle.h"
#include "utility/Library.h"
#include "utility/Strings.h"
#include "utility/WinText.h"

#include <string>

namespace {

std::string EnvironmentVariable(const wchar_t* name) {
    Utf16String buffer(256, u'\0');
    for (;;) {
        const DWORD length =
            GetEnvironmentVariableW(name, WBuf(buffer), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return Utf16ToUtf8(buffer);
        }
        buffer.resize(length);
    }
}

std::string CurrentDirectory() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    Utf16String buffer(length, u'\0');
    buffer.resize(GetCurrentDirectoryW(length, WBuf(buffer)));
    return Utf16ToUtf8(buffer);
}

std::string RecordFile() {
    const std::string named = EnvironmentVariable(L"OSTREL_RECORD_FILE");
    return named.empty() ? ProgramDir() + "recorder.log" : named;
}

// One write of the whole record with append access, so records of concurrent runs never mix.
void AppendRecord(const std::string& record) {
    const FileHandle file(CreateFileW(WStr(Utf8ToUtf16(RecordFile())), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    DWORD written = 0;
    WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    FlushFileBuffers(file.get());
}

void RecordStart() {
    std::string record;
    const auto line = [&record](const std::string& key, const std::string& value) {
        record += key + "=" + value + "\n";
    };
    line("cmdline", Utf16ToUtf8(Utf16FromW(GetCommandLineW())));
    line("cwd", CurrentDirectory());
    const std::int32_t count = CommandLineArgCount();
    line("argc", std::to_string(count));
    for (std::int32_t i = 0; i <= count; ++i) {
        line("arg" + std::to_string(i), CommandLineArg(i));
    }
    line("programdir", ProgramDir());
    line("basename", ProgramBaseName);
    line("title", ApplicationTitle);
    std::string path;
    if (GetSwitchValue("path", path)) {
        line("switch.path", path);
    }
    record += "end\n";
    AppendRecord(record);
}

int Hold(const std::string& fileName) {
    const FileHandle held(CreateFileW(WStr(Utf8ToUtf16(fileName)), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held) {
        return 1;
    }
    const FileHandle marker(CreateFileW(WStr(Utf8ToUtf16(fileName + ".held")), GENERIC_WRITE, 0,
                                        nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!marker) {
        return 1;
    }
    const std::string release = fileName + ".release";
    for (int waited = 0; waited < 60'000; waited += 50) {
        if (FileExistsChecked(release, false)) {
            return 0;
        }
        Sleep(50);
    }
    return 2;
}

void RecordError(const std::string& text) {
    AppendRecord("error=" + text + "\nend\n");
}

} // namespace

int main() {
    StartUtilityLibrary();
    const std::string first = CommandLineArg(1);
    if (StartsWith("hold:", first)) {
        return Hold(first.substr(5));
    }
    if (StartsWith("error-handler:", first)) {
        ErrorHandler = RecordError;
        ShowError(first.substr(14));
        return 0;
    }
    RecordStart();
    return 0;
}
