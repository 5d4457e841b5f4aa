#include "app/mainwindow.h"

namespace kvr {

std::optional<int> modeStripRow(int logMode)
{
    for (std::size_t row = 0; row < kModeStrip.size(); ++row) {
        if (static_cast<int>(kModeStrip[row].mode) == logMode)
            return static_cast<int>(row);
    }
    return std::nullopt;
}

std::optional<int> logModeOfStripRow(int row)
{
    if (row < 0 || row >= static_cast<int>(kModeStrip.size()))
        return std::nullopt;
    return static_cast<int>(kModeStrip[static_cast<std::size_t>(row)].mode);
}

DrillMode currentDrillMode(int logMode)
{
    if (logMode < 0 || logMode >= kDrillModeCount)
        return DrillMode::JapaneseToEnglishTyped;
    return toDrillMode(static_cast<LogModeIndex>(logMode));
}

std::string homePageAddress(std::string_view homePage, std::string_view query,
                            std::string_view version)
{
    std::string address(homePage);
    address.append(query);
    address.append(version);
    return address;
}

} // namespace kvr
