#include "utility/TextFile.h"

#include "utility/Files.h"
#include "utility/Handle.h"
#include "utility/TextEncoding.h"
#include "utility/WinText.h"

TextFileStatus ReadTextFile(const std::string& fileName, std::string& text) {
    text.clear();
    if (!FileExistsChecked(fileName, false)) {
        return TextFileStatus::Missing;
    }
    // Sharing everything: an editor that saves (or replaces) the file while we read it must
    // not fail because of us.
    const FileHandle file(CreateFileW(WStr(Utf8ToUtf16(fileName)), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? TextFileStatus::Missing
                   : TextFileStatus::Unreadable;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > MAXDWORD) {
        return TextFileStatus::Unreadable;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        return TextFileStatus::Unreadable;
    }
    text = NormalizeLineBreaks(RemoveEncodingMark("utf8bom", bytes));
    return TextFileStatus::Loaded;
}

std::string LoadTextFile(const std::string& fileName) {
    std::string text;
    ReadTextFile(fileName, text);
    return text;
}
