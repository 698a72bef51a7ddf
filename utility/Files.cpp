#include "utility/Files.h"

#include "utility/Errors.h"
#include "utility/Handle.h"
#include "utility/Paths.h"
#include "utility/Utf8Win.h"
#include "utility/WinText.h"

namespace {

// Some conversions fail without setting a last error; never let a failure read as success.
std::uint32_t LastErrorCode() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_INVALID_PARAMETER;
}

// The last-write time of an existing file (not a folder). The attribute query takes the
// name literally, where a directory search would expand wildcards.
bool LastWriteTime(const std::string& path, FILETIME& time) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(WStr(Utf8ToUtf16(path)), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    time = data.ftLastWriteTime;
    return true;
}

bool CopyFileWith(const std::string& source, const std::string& destination, bool failIfExists,
                  bool keepDate) {
    const bool copied = CopyFileW(WStr(Utf8ToUtf16(source)), WStr(Utf8ToUtf16(destination)),
                                  failIfExists ? TRUE : FALSE) != FALSE;
    if (copied && keepDate) {
        SetFileDate(destination, FileDate(source));
    }
    return copied;
}

} // namespace

bool FileExistsChecked(const std::string& path, bool report) {
    const DWORD attributes = GetFileAttributesW(WStr(Utf8ToUtf16(path)));
    const bool exists =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (!exists && report) {
        ShowError(FormatWithPath(osutils::s_filenotexists, path));
    }
    return exists;
}

double FileModifiedTime(const std::string& path) {
    try {
        FILETIME time{};
        FILETIME local{};
        std::int32_t date = 0;
        // The packed date only checks the range 1980 to 2107; the value keeps full precision.
        if (!FileExistsChecked(path, false) || !LastWriteTime(path, time) ||
            !FileTimeToFileDate(time, date) || !FileTimeToLocalFileTime(&time, &local)) {
            return 0;
        }
        const std::uint64_t ticks =
            (static_cast<std::uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
        return LocalFileTimeToDateTime(ticks);
    } catch (const std::exception&) {
        return 0;
    }
}

std::int32_t FileDate(const std::string& path) {
    FILETIME time{};
    std::int32_t date = 0;
    if (!LastWriteTime(path, time) || !FileTimeToFileDate(time, date)) {
        return -1;
    }
    return date;
}

std::uint32_t SetFileDate(const std::string& path, std::int32_t date) {
    const FileHandle file(CreateFileW(WStr(Utf8ToUtf16(path)), GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return LastErrorCode();
    }
    FILETIME time{};
    if (!FileDateToFileTime(date, time) || !SetFileTime(file.get(), nullptr, nullptr, &time)) {
        return LastErrorCode();
    }
    return 0;
}

bool FileTimeToFileDate(const FILETIME& fileTime, std::int32_t& date) {
    FILETIME local{};
    SYSTEMTIME parts{};
    WORD dateWord = 0;
    WORD timeWord = 0;
    // Not every FileTimeToDosDateTime rejects years after 2107 (Wine wraps them), so the
    // range the packed date can hold is checked here.
    if (!FileTimeToLocalFileTime(&fileTime, &local) || !FileTimeToSystemTime(&local, &parts) ||
        parts.wYear < 1980 || parts.wYear > 2107 ||
        !FileTimeToDosDateTime(&local, &dateWord, &timeWord)) {
        return false;
    }
    date = static_cast<std::int32_t>((static_cast<std::uint32_t>(dateWord) << 16) | timeWord);
    return true;
}

bool FileDateToFileTime(std::int32_t date, FILETIME& fileTime) {
    const auto bits = static_cast<std::uint32_t>(date);
    FILETIME local{};
    return DosDateTimeToFileTime(static_cast<WORD>(bits >> 16), static_cast<WORD>(bits & 0xFFFF),
                                 &local) &&
           LocalFileTimeToFileTime(&local, &fileTime);
}

bool CopyFilePlain(const std::string& source, const std::string& destination, bool keepDate) {
    return CopyFileWith(source, destination, false, keepDate);
}

bool CopyFileChecked(const std::string& source, const std::string& destination, bool noOverwrite,
                     bool report, bool keepDate) {
    if (noOverwrite && FileExistsChecked(destination, false)) {
        return false;
    }
    if (!FileExistsChecked(source, false)) {
        return false;
    }
    bool copied = false;
    std::string errorText;
    try {
        // Failing on an existing destination also covers one that appeared since the check.
        copied = CopyFileWith(source, destination, noOverwrite, keepDate);
    } catch (const std::exception& error) {
        errorText = ExceptionMessageUtf8(error);
    }
    // A destination that appeared since the check is the same answer as one that was there:
    // no copy, and nothing to report (two first starts at once race here).
    const bool lostRace = !copied && noOverwrite && FileExistsChecked(destination, false);
    if (!copied && report && !lostRace) {
        ShowError(errorText.empty() ? FormatWithPath(osutils::s_errcopyfile, source) : errorText);
    }
    return copied;
}

bool SearchFile(const std::string& name, std::string& found) {
    found.clear();
    const Utf16String wideName = Utf8ToUtf16(name);
    Utf16String buffer(MAX_PATH, u'\0');
    // A result as large as the buffer is the size it needs: grow and ask again, so a long
    // path is never cut. The file may move meanwhile, hence the bounded retries.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = SearchPathW(nullptr, WStr(wideName), nullptr,
                                         static_cast<DWORD>(buffer.size()), WBuf(buffer), nullptr);
        if (length == 0) {
            return false;
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            found = Utf16ToUtf8(buffer);
            return true;
        }
        buffer.assign(length, u'\0');
    }
    return false;
}

std::string ExpandPath(const std::string& path) {
    const Utf16String widePath = Utf8ToUtf16(path);
    Utf16String buffer(MAX_PATH, u'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = GetFullPathNameW(WStr(widePath), static_cast<DWORD>(buffer.size()),
                                              WBuf(buffer), nullptr);
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return Utf16ToUtf8(buffer);
        }
        buffer.assign(length, u'\0');
    }
    return {};
}
