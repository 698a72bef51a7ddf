// Files through the wide-character API; paths are UTF-8. Failures are results.
#pragma once

#include "utility/Messages.h"

#include <windows.h>

#include <cstdint>
#include <string>

// True for an existing file that is not a folder; when false and report is set, shows
// osutils::s_filenotexists.
bool FileExistsChecked(const std::string& path, bool report);

// The last write as a date-time value at full precision; 0 for a missing file, a folder or a
// time outside 1980 to 2107.
double FileModifiedTime(const std::string& path);

// Packed MS-DOS date of the last write (local time); -1 when unavailable.
std::int32_t FileDate(const std::string& path);
// 0 on success, else the system error code.
std::uint32_t SetFileDate(const std::string& path, std::int32_t date);

bool FileTimeToFileDate(const FILETIME& fileTime, std::int32_t& date);
bool FileDateToFileTime(std::int32_t date, FILETIME& fileTime);

// Overwrites an existing destination; keepDate gives it the source's packed date.
bool CopyFilePlain(const std::string& source, const std::string& destination, bool keepDate);
// With noOverwrite an existing destination is never replaced, not even one that appears
// during the copy. A missing source is never reported; another failure shows
// osutils::s_errcopyfile with the source when report is set.
bool CopyFileChecked(const std::string& source, const std::string& destination, bool noOverwrite,
                     bool report, bool keepDate);

// The system's search order, no extension added; found is empty when the result is false.
bool SearchFile(const std::string& name, std::string& found);

// The platform's full-path expansion; no file-system check.
std::string ExpandPath(const std::string& path);
