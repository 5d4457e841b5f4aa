#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "history/drillmode.h"

// Decisions of the main window that are not about the tree or its layout.
namespace kvr {

// The mode strip's list ("モード") in its order; the statistics page's mode list uses the
// same order. Each entry is the mode's name (UTF-8) and its drill mode index.
struct ModeStripEntry
{
    std::string_view name;
    LogModeIndex mode;
};
constexpr std::array<ModeStripEntry, kDrillModeCount> kModeStrip { {
    { "和英入力", LogModeIndex::JapaneseToEnglishTyped },
    { "SpeedReply", LogModeIndex::SpeedReply },
    { "和英４択", LogModeIndex::JapaneseToEnglishChoice },
    { "英和入力", LogModeIndex::EnglishToJapaneseTyped },
    { "英和４択", LogModeIndex::EnglishToJapaneseChoice },
} };

// The list row showing a LogMode setting; nothing for a value outside 0-4.
std::optional<int> modeStripRow(int logMode);
// The LogMode setting a list row stands for; nothing for a row outside the list.
std::optional<int> logModeOfStripRow(int row);

// The drill mode of the repeat commands ("前回学習した問題", "前回に間違えた問題"): the mode
// the strip shows, 和英入力 when LogMode holds no mode.
DrillMode currentDrillMode(int logMode);

// The address "ホームページ(&W)..." opens: the home page, where the visit comes from, and
// the version text.
std::string homePageAddress(std::string_view homePage, std::string_view query,
                            std::string_view version);

} // namespace kvr
