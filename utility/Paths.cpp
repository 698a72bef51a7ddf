#include "utility/Paths.h"

namespace {

std::size_t LastSeparator(std::string_view path) {
    return path.find_last_of("\\/:");
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

const std::int64_t DateTimeEpoch = DaysFromCivil(1899, 12, 30);
constexpr std::int64_t TicksPerDay = 864'000'000'000;
constexpr std::int64_t TicksPerStep = 20; // 2 us
// Days from 1601-01-01, where file times start, to the date-time epoch.
constexpr std::int64_t FileTimeEpochDays = 109'205;

} // namespace

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/' || c == ':';
}

std::string ExtractFileDir(std::string_view path) {
    const std::size_t last = LastSeparator(path);
    if (last == std::string_view::npos) {
        return {};
    }
    const bool isSlash = path[last] == '\\' || path[last] == '/';
    if (isSlash && last > 0 && !IsPathSeparator(path[last - 1])) {
        return std::string(path.substr(0, last));
    }
    return std::string(path.substr(0, last + 1));
}

std::string (*FileDir)(std::string_view path) = ExtractFileDir;

std::string ExtractFilePath(std::string_view path) {
    const std::size_t last = LastSeparator(path);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string FileNameNoExt(std::string_view path) {
    const std::size_t last = LastSeparator(path);
    std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
    return std::string(name.substr(0, name.rfind('.')));
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return 0;
    }
    const std::int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        DateTimeEpoch;
    return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

double PackedDateToDateTime(std::int32_t date) {
    const auto bits = static_cast<std::uint32_t>(date);
    const auto field = [bits](int shift, std::uint32_t mask) {
        return static_cast<int>((bits >> shift) & mask);
    };
    return EncodeDateTime(field(25, 0x7F) + 1980, field(21, 0x0F), field(16, 0x1F), field(11, 0x1F),
                          field(5, 0x3F), field(0, 0x1F) * 2);
}

double LocalFileTimeToDateTime(std::uint64_t ticks) {
    // Whole steps since the epoch are exact in a double, and one step is wider than a
    // double's spacing below 2^17 days, so distinct steps give distinct values.
    const std::int64_t sinceEpoch =
        static_cast<std::int64_t>(ticks) - FileTimeEpochDays * TicksPerDay;
    const std::int64_t steps = sinceEpoch / TicksPerStep;
    return static_cast<double>(steps) / static_cast<double>(TicksPerDay / TicksPerStep);
}
