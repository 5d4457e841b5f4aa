#include "history/rungraph.h"

#include <algorithm>

#include "history/localtime.h"
#include "history/statistics.h"

namespace kvr {

namespace {

constexpr int kMinimumPoints = 10;
constexpr double kLabelGap = 5;
constexpr double kLabelBytePixels = 2.5;

RectF highlightColumn(const RunGraph &graph)
{
    const int i = graph.highlightIndex;
    const auto &p = graph.points;
    RectF column { 0, graph.frame.top + 1, 0, graph.plotBottom };
    column.left = i == 0 ? graph.frame.left + 1 : (p[i - 1].x + p[i].x) / 2;
    column.right = i + 1 == graph.pointCount ? graph.frame.right : (p[i].x + p[i + 1].x) / 2;
    return column;
}

void addLabels(RunGraph &graph, const CSectionLog &record)
{
    const RectF &frame = graph.frame;
    graph.labels.push_back(
        { "100%", frame.left + 2, frame.top + 1, kPaintBlack, PageFont::Gothic10 });
    graph.labels.push_back(
        { "0%", frame.left + 2, graph.plotBottom - 11, kPaintBlack, PageFont::Gothic10 });
    const int n = graph.pointCount;
    const int runs = static_cast<int>(record.recentRuns.size());
    for (int i = 0; i < n; ++i) {
        const int run = n - 1 - i;
        if (run >= runs || (n > kMinimumPoints && i % 2 == 0))
            continue;
        std::string date = monthDayLabel(record.recentRuns[static_cast<std::size_t>(run)].endTime);
        const double x =
            graph.points[i].x - kLabelGap - kLabelBytePixels * static_cast<double>(date.size());
        graph.labels.push_back(
            { std::move(date), x, graph.plotBottom + kLabelGap, kPaintBlack, PageFont::Gothic10 });
    }
}

} // namespace

std::optional<RunGraph> runGraph(const CSectionLog &record, int selectedRun, int width, int height)
{
    const int runs = static_cast<int>(record.recentRuns.size());
    if (selectedRun < 0 || selectedRun >= runs || height < kRunGraphMinimumHeight)
        return std::nullopt;

    RunGraph graph;
    graph.frame = { 25, 220, static_cast<double>(width) - 10, static_cast<double>(height) - 88 };
    graph.plotBottom = graph.frame.bottom - 1;
    graph.pointCount = std::max(kMinimumPoints, runs);
    graph.highlightIndex = graph.pointCount - 1 - selectedRun;

    const int n = graph.pointCount;
    const double span = graph.plotBottom - graph.frame.top;
    for (int i = 0; i < n; ++i) {
        const int run = n - 1 - i;
        double rate = 0;
        if (run < runs) {
            const DrillRunRecord &r = record.recentRuns[static_cast<std::size_t>(run)];
            rate = correctRate(r.correct, r.incorrect);
        }
        const double x =
            i + 1 == n ? graph.frame.right : graph.frame.left + i * graph.frame.width() / (n - 1);
        graph.points.push_back({ x, graph.plotBottom - rate * span });
    }
    graph.highlight = highlightColumn(graph);
    addLabels(graph, record);
    return graph;
}

} // namespace kvr
