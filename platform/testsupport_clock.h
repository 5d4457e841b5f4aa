#pragma once

// A clock for tests of every folder that only read the date: it says what it is set to.

#include <cstdint>

#include "platform/clock.h"

namespace kvr::test {

// 2026-12-10 12:00 UTC: noon, so the local date is the same from -11 to +11 hours.
inline constexpr std::int64_t kNoonDecember10 = 1796904000;
inline constexpr std::int64_t kOneDay = 24 * 60 * 60;

class FixedClock final : public IClock
{
public:
    std::int64_t time = kNoonDecember10;
    std::int64_t now() const override { return time; }
    std::uint32_t tick() const override { return 0; }
};

} // namespace kvr::test
