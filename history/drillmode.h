#pragma once

namespace kvr {

// The drill mode index: the order of a collection's history records and the LogMode
// setting.
enum class LogModeIndex : int {
    JapaneseToEnglishTyped = 0, // 和英入力
    EnglishToJapaneseChoice = 1, // 英和４択
    EnglishToJapaneseTyped = 2, // 英和入力
    JapaneseToEnglishChoice = 3, // 和英４択
    SpeedReply = 4,
};

// The mode choice number: how the main window and the drill window number the modes.
enum class DrillMode : int {
    JapaneseToEnglishTyped = 0, // 和英入力
    SpeedReply = 1,
    EnglishToJapaneseChoice = 2, // 英和４択
    EnglishToJapaneseTyped = 3, // 英和入力
    JapaneseToEnglishChoice = 4, // 和英４択
};

constexpr int kDrillModeCount = 5;

// Conversions between the two numberings (0→0, 1→4, 2→1, 3→2, 4→3 and back).
constexpr LogModeIndex toLogMode(DrillMode mode)
{
    constexpr int table[kDrillModeCount] = { 0, 4, 1, 2, 3 };
    return static_cast<LogModeIndex>(table[static_cast<int>(mode)]);
}
constexpr DrillMode toDrillMode(LogModeIndex index)
{
    constexpr int table[kDrillModeCount] = { 0, 2, 3, 4, 1 };
    return static_cast<DrillMode>(table[static_cast<int>(index)]);
}

constexpr bool isChoiceMode(DrillMode mode)
{
    return mode == DrillMode::EnglishToJapaneseChoice || mode == DrillMode::JapaneseToEnglishChoice;
}

} // namespace kvr
