#include "history/modelist.h"

#include <array>

#include "platform/cp932.h"

namespace kvr {

namespace {

constexpr std::array<DrillMode, kModeListSize> kListOrder = {
    DrillMode::JapaneseToEnglishTyped, DrillMode::SpeedReply, DrillMode::JapaneseToEnglishChoice,
    DrillMode::EnglishToJapaneseTyped, DrillMode::EnglishToJapaneseChoice
};

} // namespace

std::vector<std::string> modeListLabels()
{
    return { cp932::text("和英入力"), "SpeedReply", cp932::text("和英４択"),
             cp932::text("英和入力"), cp932::text("英和４択") };
}

DrillMode modeAtListPosition(int position)
{
    if (position < 0 || position >= kModeListSize)
        return DrillMode::JapaneseToEnglishTyped;
    return kListOrder[static_cast<std::size_t>(position)];
}

int listPositionOf(DrillMode mode)
{
    for (int position = 0; position < kModeListSize; ++position) {
        if (kListOrder[static_cast<std::size_t>(position)] == mode)
            return position;
    }
    return 0;
}

int listPositionOf(LogModeIndex mode)
{
    const int index = static_cast<int>(mode);
    if (index < 0 || index >= kDrillModeCount)
        return 0;
    return listPositionOf(toDrillMode(mode));
}

} // namespace kvr
