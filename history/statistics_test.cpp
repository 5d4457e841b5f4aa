#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

#include "history/localtime.h"
#include "history/modelist.h"
#include "history/statistics.h"
#include "platform/cp932.h"

namespace kvr {
namespace {

using cp932::text;

constexpr std::int64_t kLeapDay1305Utc = 1709211900; // 2024-02-29 13:05:00 UTC, a Thursday
constexpr std::int64_t kNewYearEveUtc = 1735659059; // 2024-12-31 15:30:59 UTC

void useTimeZone(const char *zone)
{
    setenv("TZ", zone, 1);
    tzset();
}

const PaintText *findText(const StatisticsPaint &paint, const std::string &wanted)
{
    for (const PaintText &t : paint.texts) {
        if (t.text == wanted)
            return &t;
    }
    return nullptr;
}

// The text drawn at (x, y), or "(none)".
std::string textAt(const StatisticsPaint &paint, double x, double y)
{
    for (const PaintText &t : paint.texts) {
        if (t.x == x && t.y == y)
            return t.text;
    }
    return "(none)";
}

CSectionLog recordWithRuns(int runs)
{
    CSectionLog record;
    for (int i = 0; i < runs; ++i)
        addDrillRun(record, { 3, 1, 1000, static_cast<std::int32_t>(kLeapDay1305Utc), 10 });
    return record;
}

TEST(Statistics, StudyTimeSwitchesFormsAt61And3601Seconds)
{
    const struct
    {
        std::int32_t seconds;
        const char *text;
        int xFromRight;
    } rows[] = {
        { 0, "    0 秒", 70 },         { 59, "   59 秒", 70 },      { 60, "   60 秒", 70 },
        { 61, " 1 分  1 秒", 91 },     { 3600, "60 分  0 秒", 91 }, { 3601, " 1H 00m 01s", 112 },
        { 90061, "25H 01m 01s", 112 },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(studyTimeText(row.seconds), (StudyTimeText { text(row.text), row.xFromRight }))
            << row.seconds;
    }
}

TEST(Statistics, RateTextAndColourFollowTheThresholds)
{
    const struct
    {
        std::int64_t correct, incorrect;
        const char *text;
        Rgb colour;
    } rows[] = {
        { 0, 0, "  0.0 %", kRateRed }, // never drilled
        { 49, 51, " 49.0 %", kRateRed }, { 1, 1, " 50.0 %", kRateNavy },
        { 2, 1, " 66.7 %", kRateNavy },  { 79, 21, " 79.0 %", kRateNavy },
        { 4, 1, " 80.0 %", kRateBlue },  { 1, 0, "100.0 %", kRateBlue },
        { 5, -5, "  0.0 %", kRateRed }, // damaged counts summing to 0: no division by zero
        { -3, 5, "  0.0 %", kRateRed }, // limited to 0 … 1
    };
    for (const auto &row : rows) {
        const double rate = correctRate(row.correct, row.incorrect);
        EXPECT_EQ(ratePercentText(rate), row.text) << row.correct << "/" << row.incorrect;
        EXPECT_EQ(rateColour(rate), row.colour) << row.correct << "/" << row.incorrect;
    }
}

TEST(Statistics, KeySpeedIsPerMinuteAndZeroWithoutStudyTime)
{
    EXPECT_EQ(keySpeedText(0, 0), text("      0.00 [Keys/分]"));
    EXPECT_EQ(keySpeedText(500, 0), text("      0.00 [Keys/分]"));
    EXPECT_EQ(keySpeedText(100, 30), text("    200.00 [Keys/分]"));
    EXPECT_EQ(keySpeedText(7, 9), text("     46.67 [Keys/分]"));
}

TEST(Statistics, RunListNamesTwentyRunsNewestFirst)
{
    EXPECT_EQ(recentRunLabel(0), text("前回"));
    EXPECT_EQ(recentRunLabel(1), text("前々回"));
    EXPECT_EQ(recentRunLabel(2), text("3回前"));
    EXPECT_EQ(recentRunLabel(19), text("20回前"));
    EXPECT_EQ(recentRunLabel(20), "");
    EXPECT_TRUE(runListLabels(nullptr).empty());
    EXPECT_TRUE(runListLabels(&emptySectionLog()).empty());

    CSectionLog record = recordWithRuns(3);
    EXPECT_EQ(runListLabels(&record),
              (std::vector<std::string> { text("前回"), text("前々回"), text("3回前") }));
    // A file may hold more than twenty runs; the list stops at twenty.
    record.recentRuns.resize(25);
    EXPECT_EQ(runListLabels(&record).size(), 20u);
}

TEST(Statistics, ErasingTheNewestRunMakesTheNextOnePrevious)
{
    CSectionLog record;
    addDrillRun(record, { 1, 0, 0, 10, 0 });
    addDrillRun(record, { 2, 0, 20, 30, 0 }); // newest
    eraseRun(record, 0);
    EXPECT_EQ(runListLabels(&record), std::vector<std::string> { text("前回") });
    EXPECT_EQ(record.recentRuns.front().correct, 1);
    EXPECT_EQ(record.correctCount, 3); // totals unchanged
}

TEST(Statistics, NeverDrilledShowsZerosInRedAndNoRunBlock)
{
    StatisticsInput input;
    input.selection = TreeSelection::Collection;
    input.questionCount = 12;
    input.selectedRun = 0;
    input.width = 400;
    input.height = 400;
    const StatisticsPaint paint = statisticsPaint(input);
    EXPECT_EQ(textAt(paint, 330, 5), "    0");
    EXPECT_EQ(textAt(paint, 330, 22), "    0");
    ASSERT_NE(findText(paint, "  0.0 %"), nullptr);
    EXPECT_EQ(findText(paint, "  0.0 %")->colour, kRateRed);
    EXPECT_EQ(findText(paint, text("正解率"))->colour, kRateRed);
    EXPECT_EQ(textAt(paint, 330, 61), text("    0 回"));
    EXPECT_EQ(textAt(paint, 330, 78), text("    0 秒"));
    EXPECT_EQ(textAt(paint, 255, 95), text("      0.00 [Keys/分]"));
    EXPECT_EQ(findText(paint, text("の履歴")), nullptr);
    EXPECT_FALSE(paint.graph);
}

TEST(Statistics, CountRangeAndModeLabelsFollowTheTreeSelection)
{
    const struct
    {
        TreeSelection selection;
        const char *range; // nullptr: not drawn
        Rgb colour;
    } rows[] = {
        { TreeSelection::None, nullptr, kPaintBlack },
        { TreeSelection::Folder, "(0～0)", kPaintGrey },
        { TreeSelection::Collection, "(1～12)", kPaintBlack },
    };
    for (const auto &row : rows) {
        StatisticsInput input;
        input.selection = row.selection;
        input.questionCount = 12;
        input.width = 400;
        input.height = 300;
        const StatisticsPaint paint = statisticsPaint(input);
        const PaintText *label = findText(paint, text("出題数"));
        if (!row.range) {
            EXPECT_EQ(label, nullptr);
            continue;
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(*label, (PaintText { text("出題数"), 75, 276, row.colour }));
        EXPECT_EQ(textAt(paint, 210, 276), text(row.range));
        EXPECT_EQ(textAt(paint, 75, 250), text("モード"));
    }
}

TEST(Statistics, RunBlockShowsTheSelectedRunWithItsLocalEndTime)
{
    useTimeZone("UTC");
    CSectionLog record = recordWithRuns(2);
    record.recentRuns[1] = { 1, 3, 1000, static_cast<std::int32_t>(kNewYearEveUtc), 0 };
    StatisticsInput input;
    input.record = &record;
    input.selection = TreeSelection::Collection;
    input.width = 400;
    input.height = 355; // too short for the graph
    input.selectedRun = 1;
    StatisticsPaint paint = statisticsPaint(input);
    EXPECT_EQ(textAt(paint, 95, 125), text("の履歴"));
    EXPECT_EQ(textAt(paint, 330, 147), "    1");
    EXPECT_EQ(textAt(paint, 330, 164), "    3");
    EXPECT_EQ(textAt(paint, 330, 181), " 25.0 %");
    EXPECT_EQ(textAt(paint, 240, 198), text("2024-12-31(火) 15:30"));
    EXPECT_FALSE(paint.graph);

    useTimeZone("JST-9");
    input.height = 356;
    paint = statisticsPaint(input);
    EXPECT_EQ(textAt(paint, 240, 198), text("2025-01-01(水) 00:30"));
    EXPECT_TRUE(paint.graph);

    input.selectedRun = 2; // no such run
    paint = statisticsPaint(input);
    EXPECT_EQ(findText(paint, text("の履歴")), nullptr);
    EXPECT_FALSE(paint.graph);
}

TEST(LocalTime, DatesUseTheTimeZoneAndJapaneseWeekdays)
{
    const struct
    {
        const char *zone;
        std::int64_t time;
        bool seconds;
        const char *expected;
    } rows[] = {
        { "UTC", kLeapDay1305Utc, false, "2024-02-29(木) 13:05" },
        { "UTC", kLeapDay1305Utc, true, "2024-02-29(木) 13:05:00" },
        { "JST-9", kNewYearEveUtc, true, "2025-01-01(水) 00:30:59" },
        { "UTC", 0, false, "1970-01-01(木) 00:00" },
        { "EST5", 0, false, "1969-12-31(水) 19:00" },
    };
    for (const auto &row : rows) {
        useTimeZone(row.zone);
        EXPECT_EQ(localDateTimeText(row.time, row.seconds), text(row.expected)) << row.zone;
    }
    useTimeZone("UTC");
    EXPECT_EQ(monthDayLabel(1709802000), " 3/7"); // 2024-03-07
    EXPECT_EQ(monthDayLabel(1735117200), "12/25");
}

TEST(Statistics, LearnCountMustLieBetweenOneAndTheQuestionCount)
{
    const std::string message = text("出題数を 1 ～ 12 の範囲で指定してください。");
    EXPECT_EQ(learnCountMessage(0, 12), message);
    EXPECT_EQ(learnCountMessage(13, 12), message);
    EXPECT_EQ(learnCountMessage(-1, 12), message);
    EXPECT_EQ(learnCountMessage(1, 12), std::nullopt);
    EXPECT_EQ(learnCountMessage(12, 12), std::nullopt);
    EXPECT_EQ(learnCountMessage(1, 0), text("出題数を 1 ～ 0 の範囲で指定してください。"));
}

TEST(ModeList, PositionsMapToModeChoiceNumbersAndBack)
{
    EXPECT_EQ(modeListLabels(),
              (std::vector<std::string> { text("和英入力"), "SpeedReply", text("和英４択"),
                                          text("英和入力"), text("英和４択") }));
    const int choice[] = { 0, 1, 4, 3, 2 };
    for (int position = 0; position < kModeListSize; ++position) {
        const DrillMode mode = modeAtListPosition(position);
        EXPECT_EQ(static_cast<int>(mode), choice[position]);
        EXPECT_EQ(listPositionOf(mode), position);
        EXPECT_EQ(listPositionOf(toLogMode(mode)), position);
    }
    EXPECT_EQ(modeAtListPosition(5), DrillMode::JapaneseToEnglishTyped);
    EXPECT_EQ(modeAtListPosition(-1), DrillMode::JapaneseToEnglishTyped);
    EXPECT_EQ(listPositionOf(LogModeIndex::EnglishToJapaneseChoice), 4); // 英和４択
    EXPECT_EQ(listPositionOf(static_cast<LogModeIndex>(9)), 0);
}

} // namespace
} // namespace kvr
