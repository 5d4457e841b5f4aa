#include <gtest/gtest.h>

#include "app/mainwindow.h"

namespace kvr {
namespace {

// The strip lists 和英入力, SpeedReply, 和英４択, 英和入力, 英和４択: not the order of either
// mode numbering, so every row must map to the mode its text names.
TEST(MainWindowModeStrip, RowsAndLogModesMapBothWays)
{
    struct Row
    {
        int row;
        int logMode;
        std::string_view name;
    };
    const Row rows[] = {
        { 0, 0, "和英入力" }, { 1, 4, "SpeedReply" }, { 2, 3, "和英４択" },
        { 3, 2, "英和入力" }, { 4, 1, "英和４択" },
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(logModeOfStripRow(r.row), r.logMode);
        EXPECT_EQ(modeStripRow(r.logMode), r.row);
        EXPECT_EQ(kModeStrip[static_cast<std::size_t>(r.row)].name, r.name);
    }
}

TEST(MainWindowModeStrip, ValuesOutsideTheListMapToNothing)
{
    for (int value : { -1, 5, 100 }) {
        EXPECT_EQ(modeStripRow(value), std::nullopt);
        EXPECT_EQ(logModeOfStripRow(value), std::nullopt);
    }
}

TEST(MainWindowModeStrip, RepeatCommandsFallBackToJapaneseToEnglishTyped)
{
    EXPECT_EQ(currentDrillMode(3), DrillMode::JapaneseToEnglishChoice);
    EXPECT_EQ(currentDrillMode(7), DrillMode::JapaneseToEnglishTyped);
    EXPECT_EQ(currentDrillMode(-1), DrillMode::JapaneseToEnglishTyped);
}

} // namespace
} // namespace kvr
