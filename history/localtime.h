#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// Stored times (seconds since 1970, UTC) as the learner's local time. The time zone is the
// process's (TZ, read by tzset); tests set TZ explicitly.
namespace kvr {

// The broken-down local time, or nothing when the system cannot convert the value.
std::optional<std::tm> localTimeOf(std::int64_t time);

// "YYYY-MM-DD(曜) HH:MM", or with ":SS" appended, the weekday as one of 日月火水木金土
// (CP932). Empty when the time cannot be converted.
std::string localDateTimeText(std::int64_t time, bool withSeconds = false);

// The run graph's date: the month padded with a blank to two characters, "/", the day
// without fill (" 3/7", "12/25"). Empty when the time cannot be converted.
std::string monthDayLabel(std::int64_t time);

} // namespace kvr
