#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

namespace kvr {

// printf-style formatting of the system's texts. The format and every %s argument are CP932
// bytes; snprintf copies them unchanged, so a double-byte character is never split. The
// result has whatever length it needs.
template <typename... Args> std::string formatText(std::string_view format, Args... args)
{
    static_assert(
        ((std::is_arithmetic_v<
              Args> || std::is_same_v<Args, const char *> || std::is_same_v<Args, char *>)&&...),
        "formatText takes numbers and C strings (use .c_str())");
    const std::string pattern(format);
    const int length = std::snprintf(nullptr, 0, pattern.c_str(), args...);
    if (length <= 0)
        return {};
    std::string result(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(result.data(), result.size(), pattern.c_str(), args...);
    result.resize(static_cast<std::size_t>(length));
    return result;
}

} // namespace kvr
