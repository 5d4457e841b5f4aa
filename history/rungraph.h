#pragma once

#include <optional>
#include <vector>

#include "history/answerlog.h"
#include "history/pagepaint.h"

namespace kvr {

// The statistics page's graph of the correct rates of the recent runs, as geometry.
//
// The page draws, in this order: the frame outline with the default pen; the highlight
// rectangle filled with kGraphHighlight; a polyline through points with a solid kGraphLine
// pen of width 1; then labels (PageFont::Gothic10, black): "100%" and "0%" at the frame's
// left, and the dates of the runs under their points.
struct RunGraph
{
    RectF frame; // (25, 220) to (width - 10, height - 88)
    double plotBottom = 0; // the plot's 0 % line: one pixel above the frame's bottom
    int pointCount = 0; // n: 10 when there are at most 10 runs, else the number of runs
    int highlightIndex = 0; // the point of the shown run: n - 1 - run index
    RectF highlight; // the column around that point, inside the frame
    std::vector<PointF> points; // left to right; point i shows run n - 1 - i (0 % if none)
    std::vector<PaintText> labels;

    bool operator==(const RunGraph &) const = default;
};

// The page draws the graph only for a valid run index and a client this tall, where the
// plot (the frame from y 220 to height - 88) is at least kRunGraphMinimumPlotHeight high: a
// lower one has no room between "100%" and "0%" for a line to read.
constexpr int kRunGraphMinimumPlotHeight = 48;
constexpr int kRunGraphMinimumHeight = 220 + 88 + kRunGraphMinimumPlotHeight;

// The graph of the record's runs with run selectedRun highlighted (0 = newest); nothing
// when selectedRun is not a run of the record or height < kRunGraphMinimumHeight. Point i
// sits at x = frame.left + i * frame.width() / (n - 1) (the last exactly on the frame's
// right) and y = plotBottom - rate * (plotBottom - frame.top). Dates ("%2d/%d" of the run's
// endTime, local time) stand under every existing point, or only under odd i when n > 10,
// at x = point.x - 5 - 2.5 * bytes, 5 pixels below plotBottom. Dates are local time.
std::optional<RunGraph> runGraph(const CSectionLog &record, int selectedRun, int width, int height);

} // namespace kvr
