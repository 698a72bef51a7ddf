#include "utility/CommandLine.h"

#include "utility/Paths.h"
#include "utility/WinText.h"

std::string ProgramDirOverride;

namespace {

// The main module's full path; the buffer grows until the name fits.
std::string ModuleFileName() {
    Utf16String buffer(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, WBuf(buffer), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return Utf16ToUtf8(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Read afresh on every call: nothing is cached.
std::vector<Utf16String> ProcessArguments() {
    return SplitCommandLine(Utf16FromW(GetCommandLineW()));
}

} // namespace

std::string CommandLineArg(std::int32_t index) {
    if (index == 0) {
        return ModuleFileName();
    }
    const std::vector<Utf16String> arguments = ProcessArguments();
    if (index < 0 || static_cast<std::size_t>(index) > arguments.size()) {
        return {};
    }
    return Utf16ToUtf8(arguments[static_cast<std::size_t>(index) - 1]);
}

std::int32_t CommandLineArgCount() {
    return static_cast<std::int32_t>(ProcessArguments().size());
}

bool GetSwitchValue(std::string_view name, std::string& value) {
    TStringDynArray arguments;
    for (const Utf16String& argument : ProcessArguments()) {
        arguments.push_back(Utf16ToUtf8(argument));
    }
    return FindSwitchValue(arguments, name, value);
}

std::string ProgramDir() {
    return ProgramDirOverride.empty() ? ExtractFilePath(CommandLineArg(0)) : ProgramDirOverride;
}
