#include "utility/Errors.h"

#include "utility/WinText.h"

#include <cstdio>
#include <ios>
#include <vector>

void (*ErrorHandler)(const std::string& text) = nullptr;

bool IsConsoleProgram() {
    // The subsystem is fixed in the executable's PE header when it is linked.
    const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
}

std::string ToOemText(const std::string& text) {
    const Utf16String wide = Utf8ToUtf16(text);
    std::vector<char> buffer(wide.size() * 2 + 2, '\0');
    if (!CharToOemW(WStr(wide), buffer.data())) {
        return text;
    }
    return std::string(buffer.data());
}

void ShowError(const std::string& text) {
    if (IsConsoleProgram()) {
        const std::string line = ToOemText(text) + "\n";
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size() ||
            std::fflush(stdout) != 0) {
            throw std::ios_base::failure("cannot write the error text to standard output");
        }
        return;
    }
    if (ErrorHandler != nullptr) {
        ErrorHandler(text);
        return;
    }
    MessageBoxW(nullptr, WStr(Utf8ToUtf16(text)), L"Error", MB_OK | MB_ICONERROR);
}
