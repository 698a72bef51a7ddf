// Parts of a path and file dates, without the file system. Separators: '\', '/' and ':'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

bool IsPathSeparator(char c);

// The folder part without a trailing separator, except for a root ("C:\", "\") or a drive
// ("C:"); empty for a bare name.
std::string ExtractFileDir(std::string_view path);
// Replaceable; the default is ExtractFileDir.
extern std::string (*FileDir)(std::string_view path);

// Everything up to and including the last separator; empty when there is none.
std::string ExtractFilePath(std::string_view path);

// The file name without folder and without its last extension.
std::string FileNameNoExt(std::string_view path);

// Date-time values are days since 1899-12-30 00:00 local time; 0 stands for "no time".
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second);

// An MS-DOS packed date (high word date, low word time, local time) as a date-time value;
// 0 when it does not form a valid date and time (as -1 does not).
double PackedDateToDateTime(std::int32_t date);

// A local file time (100 ns units since 1601-01-01) as a date-time value, kept to 2 us steps:
// the finest step that stays distinct in a double for every date up to 2107.
double LocalFileTimeToDateTime(std::uint64_t ticks);
