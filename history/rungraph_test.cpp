#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

#include "history/rungraph.h"

namespace kvr {
namespace {

constexpr int kWidth = 400; // frame (25, 220) to (390, 312)
constexpr int kHeight = 400;
constexpr double kPlotBottom = 311;
constexpr double kPlotTop = 220;
constexpr std::int32_t kMarch7 = 1709802000; // 2024-03-07 09:00 UTC

class RunGraphTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

// runs newest first; run k has k+1 correct of 4 (rates cycle) and ends k days before 7 March.
CSectionLog recordWithRuns(int count)
{
    CSectionLog record;
    for (int k = 0; k < count; ++k) {
        const int correct = k % 5;
        record.recentRuns.push_back({ correct, 4 - correct, 0, kMarch7 - k * 86400, 0 });
    }
    return record;
}

double yOf(double rate)
{
    return kPlotBottom - rate * (kPlotBottom - kPlotTop);
}

std::vector<std::string> dateLabels(const RunGraph &graph)
{
    std::vector<std::string> texts;
    for (std::size_t i = 2; i < graph.labels.size(); ++i)
        texts.push_back(graph.labels[i].text);
    return texts;
}

TEST_F(RunGraphTest, ThreeRunsGiveTenPointsWithTheSevenLeftmostAtZero)
{
    const CSectionLog record = recordWithRuns(3);
    const auto graph = runGraph(record, 0, kWidth, kHeight);
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->frame, (RectF { 25, 220, 390, 312 }));
    EXPECT_EQ(graph->plotBottom, kPlotBottom);
    ASSERT_EQ(graph->pointCount, 10);
    ASSERT_EQ(graph->points.size(), 10u);
    const double step = 365.0 / 9;
    for (int i = 0; i < 10; ++i)
        EXPECT_DOUBLE_EQ(graph->points[i].x, 25 + i * step) << i;
    EXPECT_EQ(graph->points[9].x, 390); // exactly on the right edge
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(graph->points[i].y, kPlotBottom) << i;
    EXPECT_DOUBLE_EQ(graph->points[7].y, yOf(0.5)); // run 2: 2 of 4
    EXPECT_DOUBLE_EQ(graph->points[8].y, yOf(0.25)); // run 1
    EXPECT_DOUBLE_EQ(graph->points[9].y, yOf(0.0)); // run 0, the newest, on the right

    // The newest run's column reaches the frame's right edge.
    EXPECT_EQ(graph->highlightIndex, 9);
    EXPECT_DOUBLE_EQ(graph->highlight.left, (graph->points[8].x + graph->points[9].x) / 2);
    EXPECT_EQ(graph->highlight.right, 390);
    EXPECT_EQ(graph->highlight.top, 221);
    EXPECT_EQ(graph->highlight.bottom, kPlotBottom);

    // Dates only under the existing runs, oldest first.
    EXPECT_EQ(graph->labels[0].text, "100%");
    EXPECT_EQ(graph->labels[1].text, "0%");
    EXPECT_EQ(dateLabels(*graph), (std::vector<std::string> { " 3/5", " 3/6", " 3/7" }));
    const PaintText &newest = graph->labels.back();
    EXPECT_DOUBLE_EQ(newest.x, 390 - 5 - 2.5 * 4);
    EXPECT_EQ(newest.y, kPlotBottom + 5);
    EXPECT_EQ(newest.font, PageFont::Gothic10);
}

TEST_F(RunGraphTest, FifteenRunsGiveFifteenPointsAndDatesUnderEverySecondPoint)
{
    const CSectionLog record = recordWithRuns(15);
    const auto graph = runGraph(record, 14, kWidth, kHeight); // the oldest
    ASSERT_TRUE(graph);
    ASSERT_EQ(graph->pointCount, 15);
    EXPECT_DOUBLE_EQ(graph->points[1].x - graph->points[0].x, 365.0 / 14);
    EXPECT_DOUBLE_EQ(graph->points[0].y, yOf(14 % 5 / 4.0)); // point 0 is run 14
    // Labels under i = 1, 3, … 13: runs 13, 11, … 1.
    EXPECT_EQ(
        dateLabels(*graph),
        (std::vector<std::string> { " 2/23", " 2/25", " 2/27", " 2/29", " 3/2", " 3/4", " 3/6" }));
    EXPECT_DOUBLE_EQ(graph->labels[2].x, graph->points[1].x - 5 - 2.5 * 5);

    // The oldest run's column starts one pixel inside the left edge.
    EXPECT_EQ(graph->highlightIndex, 0);
    EXPECT_EQ(graph->highlight.left, 26);
    EXPECT_DOUBLE_EQ(graph->highlight.right, (graph->points[0].x + graph->points[1].x) / 2);
}

TEST_F(RunGraphTest, PointCountAndDatesFollowTheNumberOfRuns)
{
    const struct
    {
        int runs;
        int points;
        std::size_t dates;
    } rows[] = { { 1, 10, 1 }, { 10, 10, 10 }, { 11, 11, 5 }, { 20, 20, 10 } };
    for (const auto &row : rows) {
        const auto graph = runGraph(recordWithRuns(row.runs), 0, kWidth, kHeight);
        ASSERT_TRUE(graph) << row.runs;
        EXPECT_EQ(graph->pointCount, row.points) << row.runs;
        EXPECT_EQ(dateLabels(*graph).size(), row.dates) << row.runs;
    }
}

TEST_F(RunGraphTest, AMiddleRunIsHighlightedHalfwayToItsNeighbours)
{
    const auto graph = runGraph(recordWithRuns(3), 2, kWidth, kHeight);
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->highlightIndex, 7);
    const auto &p = graph->points;
    EXPECT_DOUBLE_EQ(graph->highlight.left, (p[6].x + p[7].x) / 2);
    EXPECT_DOUBLE_EQ(graph->highlight.right, (p[7].x + p[8].x) / 2);
}

TEST_F(RunGraphTest, NothingIsDrawnForAShortPageOrAMissingRun)
{
    const CSectionLog record = recordWithRuns(3);
    // The plot is at least 48 pixels high, or there is no graph.
    EXPECT_FALSE(runGraph(record, 0, kWidth, 355));
    const std::optional<RunGraph> lowest = runGraph(record, 0, kWidth, 356);
    ASSERT_TRUE(lowest);
    EXPECT_DOUBLE_EQ(lowest->frame.bottom - lowest->frame.top, 48);
    EXPECT_FALSE(runGraph(record, 3, kWidth, kHeight));
    EXPECT_FALSE(runGraph(record, -1, kWidth, kHeight));
    EXPECT_FALSE(runGraph(CSectionLog {}, 0, kWidth, kHeight));
}

} // namespace
} // namespace kvr
