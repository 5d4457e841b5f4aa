#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

#include "history/answerjournal.h"
#include "history/studychart.h"
#include "platform/cp932.h"

namespace kvr {
namespace {

constexpr std::int64_t kMarch30Noon = 1711800000; // 2024-03-30 12:00 UTC

class StudyChartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

int march(int day)
{
    return dayNumber(2024, 3, day);
}

// learner "ann" in "A/x": answers and right answers on the given March days.
CJournalSummary summaryOf(const std::vector<std::tuple<int, int, int>> &days)
{
    CJournalSummary summary;
    for (const auto &[day, answers, correct] : days)
        summary.countsOf("ann", "A/x")[march(day)] = DayCount { answers, correct };
    return summary;
}

TEST_F(StudyChartTest, FiguresCoverThirtyDaysAndTheStreakEndsTodayOrYesterday)
{
    const struct
    {
        std::vector<std::tuple<int, int, int>> days;
        int answers, correct, studied, streak;
    } rows[] = {
        { {}, 0, 0, 0, 0 },
        { { { 30, 4, 3 }, { 29, 2, 2 }, { 28, 1, 0 }, { 26, 5, 5 } }, 12, 10, 4, 3 },
        { { { 29, 2, 2 }, { 28, 1, 0 } }, 3, 2, 2, 2 }, // nothing yet today: still running
        { { { 30, 1, 1 }, { 28, 1, 1 } }, 2, 2, 2, 1 },
        { { { 27, 1, 1 }, { 28, 1, 1 } }, 2, 2, 2, 0 },
        // Day 1 is the first day shown; February is outside but continues the streak.
        { { { 1, 1, 1 }, { 0, 9, 9 } }, 1, 1, 1, 0 },
    };
    for (const auto &row : rows) {
        const StudyFigures figures = studyFigures(summaryOf(row.days), "ann", "", march(30));
        EXPECT_EQ(figures.days.size(), 30u);
        EXPECT_EQ(figures.answers, row.answers);
        EXPECT_EQ(figures.correct, row.correct);
        EXPECT_EQ(figures.daysStudied, row.studied);
        EXPECT_EQ(figures.streak, row.streak);
    }
    // A streak reaches back past the days shown.
    std::vector<std::tuple<int, int, int>> long_;
    for (int day = -20; day <= 30; ++day)
        long_.emplace_back(day, 1, 1);
    const StudyFigures figures = studyFigures(summaryOf(long_), "ann", "A", march(30));
    EXPECT_EQ(figures.streak, 51);
    EXPECT_EQ(figures.days.front(), (DayCount { 1, 1 }));
    EXPECT_EQ(figures.answers, 30);
}

TEST_F(StudyChartTest, BarsAndRateLinesSitInThePlot)
{
    const CJournalSummary summary =
        summaryOf({ { 30, 8, 8 }, { 29, 4, 2 }, { 27, 2, 0 }, { 1, 1, 1 } });
    StudyChartInput input { &summary, "ann", "", kMarch30Noon, 600, 400 };
    const StudyChart chart = studyChart(input);
    ASSERT_TRUE(chart.hasPlot);
    EXPECT_EQ(chart.plot, (RectF { 44, 70, 556, 376 }));
    ASSERT_EQ(chart.bars.size(), 4u);
    const double slot = chart.plot.width() / 30;
    // The scale tops at 8 (four steps of 2): today's bar fills the plot's height.
    EXPECT_DOUBLE_EQ(chart.bars.back().top, chart.plot.top);
    EXPECT_DOUBLE_EQ(chart.bars.back().bottom, chart.plot.bottom);
    EXPECT_DOUBLE_EQ((chart.bars.back().left + chart.bars.back().right) / 2,
                     chart.plot.left + slot * 29.5);
    EXPECT_DOUBLE_EQ(chart.bars[2].top, chart.plot.bottom - chart.plot.height() / 2);
    // Runs of consecutive days: 1 March alone, 27 March alone, 29–30 March.
    ASSERT_EQ(chart.rateLines.size(), 3u);
    EXPECT_EQ(chart.rateLines[0].size(), 1u);
    ASSERT_EQ(chart.rateLines[2].size(), 2u);
    EXPECT_DOUBLE_EQ(chart.rateLines[1][0].y, chart.plot.bottom); // 0 %
    EXPECT_DOUBLE_EQ(chart.rateLines[2][0].y, chart.plot.top + chart.plot.height() / 2);
    EXPECT_DOUBLE_EQ(chart.rateLines[2][1].y, chart.plot.top); // 100 %
    EXPECT_EQ(chart.gridLines.size(), 3u);
    const auto hasText = [&](const std::string &text) {
        return std::any_of(chart.texts.begin(), chart.texts.end(),
                           [&](const PaintText &t) { return t.text == text; });
    };
    EXPECT_TRUE(hasText("3/30")); // today is always labelled
    EXPECT_TRUE(hasText("8") && hasText("100%") && hasText("0%"));
    for (const std::string &line : studyTotalsLines(chart.figures))
        EXPECT_TRUE(hasText(line));
    EXPECT_EQ(chart.figures.streak, 2);
    for (const PaintText &text : chart.texts) {
        EXPECT_GE(text.x, 0);
        EXPECT_LT(text.x, 600);
    }
}

TEST_F(StudyChartTest, NoAnswersOrNoRoomLeavesTextOnly)
{
    const CJournalSummary summary = summaryOf({ { 30, 3, 1 } });
    const StudyChart empty = studyChart({ &summary, "bob", "", kMarch30Noon, 600, 400 });
    EXPECT_FALSE(empty.hasPlot);
    ASSERT_EQ(empty.texts.size(), 3u);
    EXPECT_EQ(empty.texts[0].text, studyEmptyLines()[0]);
    const StudyChart none = studyChart({ nullptr, "ann", "", kMarch30Noon, 600, 400 });
    EXPECT_FALSE(none.hasPlot);
    // Names are looked up as the journal stores them.
    CJournalSummary tabbed;
    tabbed.countsOf("a b", "F x/S")[march(30)] = DayCount { 2, 2 };
    EXPECT_EQ(studyChart({ &tabbed, "a\tb", "F\tx", kMarch30Noon, 600, 400 }).figures.answers, 2);
    const StudyChart cramped = studyChart({ &summary, "ann", "", kMarch30Noon, 600, 120 });
    EXPECT_FALSE(cramped.hasPlot);
    EXPECT_TRUE(cramped.bars.empty());
    EXPECT_EQ(cramped.texts.size(), 2u);
    EXPECT_EQ(studyTotalsLines(cramped.figures),
              (std::vector<std::string> { cp932::text("直近30日: 回答数 3問  正答率 33%"),
                                          cp932::text("学習した日 1日  連続学習日数: 1日") }));
}

} // namespace
} // namespace kvr
