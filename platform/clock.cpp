#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace kvr {

std::int64_t CSystemClock::now() const
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::uint32_t CSystemClock::tick() const
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}

const CSystemClock &CSystemClock::instance()
{
    static const CSystemClock clock;
    return clock;
}

} // namespace kvr
