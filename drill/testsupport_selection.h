#pragma once

// Shared fakes for the selection tests: a settable clock and small collections.

#include <cstdint>
#include <string>
#include <vector>

#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/clock.h"

namespace kvr::selection_test {

class FakeClock final : public IClock
{
public:
    explicit FakeClock(std::int64_t now = 1000)
        : m_now(now)
    {
    }
    std::int64_t now() const override { return m_now; }
    std::uint32_t tick() const override { return static_cast<std::uint32_t>(m_now * 1000); }
    void set(std::int64_t now) { m_now = now; }

private:
    std::int64_t m_now;
};

// A question line whose first answer is "a<n>" and first question line "q<n>".
std::string questionLine(int n);

// A collection named name with count question lines (positions 0 … count-1).
CSection sectionOf(int count, const std::string &name = "s");

// A log with learner "learner" holding an empty record for (path, mode); returns it.
CSectionLog &recordIn(CAnswerLog &log, const std::string &path, LogModeIndex mode);

} // namespace kvr::selection_test
