#include <gtest/gtest.h>

#include "history/drillmode.h"

using namespace kvr;

namespace {

// Each mode, as the window numbers it and as the history numbers it.
TEST(DrillMode, BothTablesPairTheSameModes)
{
    const struct
    {
        DrillMode drill;
        LogModeIndex log;
    } modes[kDrillModeCount] = {
        { DrillMode::JapaneseToEnglishTyped, LogModeIndex::JapaneseToEnglishTyped },
        { DrillMode::SpeedReply, LogModeIndex::SpeedReply },
        { DrillMode::EnglishToJapaneseChoice, LogModeIndex::EnglishToJapaneseChoice },
        { DrillMode::EnglishToJapaneseTyped, LogModeIndex::EnglishToJapaneseTyped },
        { DrillMode::JapaneseToEnglishChoice, LogModeIndex::JapaneseToEnglishChoice },
    };
    for (const auto &m : modes) {
        EXPECT_EQ(toLogMode(m.drill), m.log) << static_cast<int>(m.drill);
        EXPECT_EQ(toDrillMode(m.log), m.drill) << static_cast<int>(m.log);
        EXPECT_EQ(toDrillMode(toLogMode(m.drill)), m.drill);
    }
}

} // namespace
