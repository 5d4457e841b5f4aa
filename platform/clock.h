#pragma once

#include <cstdint>

namespace kvr {

// Time as the programs use it: whole seconds since 1970 (the C runtime's time) and a
// millisecond tick that wraps like GetTickCount. Injected wherever time matters.
class IClock
{
public:
    virtual ~IClock() = default;
    virtual std::int64_t now() const = 0;
    virtual std::uint32_t tick() const = 0;
};

class CSystemClock final : public IClock
{
public:
    std::int64_t now() const override;
    std::uint32_t tick() const override;
    static const CSystemClock &instance();
};

} // namespace kvr
