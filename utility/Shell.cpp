#include "utility/Shell.h"

#include "utility/Files.h"
#include "utility/Paths.h"
#include "utility/Strings.h"
#include "utility/WinText.h"

#include <shellapi.h>

bool ShellOpen(const std::string& file, const std::string& parameters, const std::string& folder) {
    const std::string shellFile =
        file.find(' ') != std::string::npos ? Quote(file, '"', false) : file;
    return ShellOpenW(Utf8ToUtf16(shellFile), Utf8ToUtf16(parameters), Utf8ToUtf16(folder));
}

bool ShellOpenW(const Utf16String& file, const Utf16String& parameters, const Utf16String& folder) {
    const Utf16String workingFolder =
        folder.empty() ? Utf8ToUtf16(FileDir(Unquote(Utf16ToUtf8(file), '"'))) : folder;
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", WStr(file), WStr(parameters),
                                           WStr(workingFolder), SW_SHOWNORMAL);
    // Values up to 32 are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool LocateCommand(const std::string& name, std::string& found) {
    found = ExpandPath(name);
    if (FileExistsChecked(found, false)) {
        return true;
    }
    return SearchFile(name, found);
}
