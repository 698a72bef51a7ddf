#include "utility/Library.h"

#include "utility/CommandLine.h"
#include "utility/Paths.h"
#include "utility/WinText.h"

std::string ProgramBaseName;
std::string ApplicationTitle;

namespace {

std::int32_t CompareWith(DWORD flags, const Utf16String& a, const Utf16String& b) {
    // CompareStringW answers 1, 2 or 3 for less, equal, greater, and 0 on failure.
    return CompareStringW(LOCALE_USER_DEFAULT, flags, WStr(a), static_cast<int>(a.size()), WStr(b),
                          static_cast<int>(b.size())) -
           2;
}

} // namespace

std::int32_t CompareUtf16(const Utf16String& a, const Utf16String& b) {
    return CompareWith(0, a, b);
}

std::int32_t CompareUtf16NoCase(const Utf16String& a, const Utf16String& b) {
    return CompareWith(NORM_IGNORECASE, a, b);
}

void InstallUtf16Comparisons() {
    // C++'s string types have no replaceable comparison hooks and never raise on a failed
    // system comparison, so there is nothing to install; CompareUtf16 and CompareUtf16NoCase
    // are the library's UTF-16 comparisons.
}

void StartUtilityLibrary() {
    InstallUtf16Comparisons();
    if (ProgramBaseName.empty()) {
        ProgramBaseName = FileNameNoExt(CommandLineArg(0));
    }
    if (ApplicationTitle.empty()) {
        ApplicationTitle = ProgramBaseName;
    }
}
