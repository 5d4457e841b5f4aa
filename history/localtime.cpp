#include "history/localtime.h"

#include <array>

#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

std::optional<std::tm> localTimeOf(std::int64_t time)
{
    const std::time_t value = static_cast<std::time_t>(time);
    if (static_cast<std::int64_t>(value) != time)
        return std::nullopt;
    std::tm result {};
    if (!localtime_r(&value, &result))
        return std::nullopt;
    return result;
}

std::string localDateTimeText(std::int64_t time, bool withSeconds)
{
    static const std::array<std::string, 7> weekdays = {
        cp932::text("日"), cp932::text("月"), cp932::text("火"), cp932::text("水"),
        cp932::text("木"), cp932::text("金"), cp932::text("土"),
    };
    const auto tm = localTimeOf(time);
    if (!tm || tm->tm_wday < 0 || tm->tm_wday > 6)
        return {};
    std::string text = formatText(
        "%04d-%02d-%02d(%s) %02d:%02d", tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday,
        weekdays[static_cast<std::size_t>(tm->tm_wday)].c_str(), tm->tm_hour, tm->tm_min);
    if (withSeconds)
        text += formatText(":%02d", tm->tm_sec);
    return text;
}

std::string monthDayLabel(std::int64_t time)
{
    const auto tm = localTimeOf(time);
    if (!tm)
        return {};
    return formatText("%2d/%d", tm->tm_mon + 1, tm->tm_mday);
}

} // namespace kvr
