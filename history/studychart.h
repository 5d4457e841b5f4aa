#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "history/journalsummary.h"
#include "history/pagepaint.h"

// The "学習記録" page: the learner's answers per day over the last 30 days as bars, the share
// right per day as a line, and a line of totals. Everything it paints is decided here.
namespace kvr {

constexpr int kStudyChartDays = 30;

struct StudyChartInput
{
    const CJournalSummary *summary = nullptr;
    std::string learner;
    std::string folder; // the selected folder or collection; empty: the whole database
    std::int64_t now = 0; // today is now's local date
    int width = 0; // the page's client area
    int height = 0;
};

// The figures behind the chart.
struct StudyFigures
{
    int today = 0; // day number of the last day shown
    std::vector<DayCount> days; // kStudyChartDays entries, oldest first, today last
    int answers = 0; // over the days shown
    int correct = 0;
    int daysStudied = 0; // days shown with an answer
    // Consecutive days with an answer that end today, or yesterday while today has none
    // yet (the streak is not broken before the day is over); earlier days count too.
    int streak = 0;
    bool operator==(const StudyFigures &) const = default;
};

StudyFigures studyFigures(const CJournalSummary &summary, const std::string &learner,
                          const std::string &folder, int today);

inline constexpr Rgb kStudyBar { 96, 160, 224 };
inline constexpr Rgb kStudyRate { 224, 64, 0 };
inline constexpr Rgb kStudyGrid { 208, 208, 208 };

// The page draws, in this order: the plot filled white, grid lines (kStudyGrid), bars filled
// with kStudyBar, the frame outline (black), the rate lines with a kStudyRate pen of width 2
// and a dot of radius 3 on every point, then the texts.
struct StudyChart
{
    StudyFigures figures;
    bool hasPlot = false; // false: no answers in the days shown, or no room; texts only
    RectF plot;
    std::vector<double> gridLines; // y of the horizontal grid lines
    std::vector<RectF> bars; // days with answers only
    std::vector<std::vector<PointF>> rateLines; // runs of consecutive days with answers
    std::vector<PaintText> texts;
};

StudyChart studyChart(const StudyChartInput &input);

// The lines of totals above the chart, and the friendly lines instead of an empty chart
// (no answers in the days shown), CP932.
std::vector<std::string> studyTotalsLines(const StudyFigures &figures);
std::vector<std::string> studyEmptyLines();

} // namespace kvr
