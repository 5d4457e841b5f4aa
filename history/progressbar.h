#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "history/answerlog.h"
#include "history/pagepaint.h"

namespace kvr {

// The progress page "進行状況" as drawing data (PageFont::Mincho13 for its texts).
//
// The page draws, in this order: bar filled white with a black outline; each span of
// takenSpans filled kProgressDone from inner.top to middle; when middleLine, a black line
// across inner at y = middle; when fill is set, it filled kProgressFill and a black
// vertical line at x = fill->right from middle to inner.bottom; then the texts.
struct ProgressPaint
{
    // A run of pixel columns [left, right) whose questions the series has taken.
    struct Span
    {
        double left = 0;
        double right = 0;
        bool operator==(const Span &) const = default;
    };

    RectF bar; // (15, 30) to (width - 15, 80)
    RectF inner; // one pixel inside the bar on each side
    double middle = 0; // the inner area's vertical middle
    std::vector<Span> takenSpans;
    bool middleLine = false;
    std::optional<RectF> fill; // lower half, from inner.left to inner.left + done / q × w
    std::vector<PaintText> texts;

    bool operator==(const ProgressPaint &) const = default;
};

// The series as the bar shows it.
struct ProgressInput
{
    const CSectionLog *record = nullptr; // the learner's record for (path, LogMode), if any
    bool sectionFound = false; // the collection could be looked up
    int questionCount = 0; // q: the collection's question lines
    // One mark per question line in collection order: taken by the series' first
    // seriesDone draws (replaySeriesMarks in drill/questionselection.h).
    std::vector<bool> taken;
    int width = 0; // client width
};

// Always "進行状況" and "%d / %d" (done, q), "前回の出題数" and "%d" of lastSeriesCount, and
// with a seed "（乱数の種：%d）" in kSeedText (all zero without a record). The bar's marks:
// with a record and a found collection, for a seeded series the taken questions (pixel
// column x of the inner width w shows mark floor(x / w × marks)) and the middle line, and
// for any series the done fill (limited to the bar). Without them the bar stays white.
ProgressPaint progressPaint(const ProgressInput &input);

} // namespace kvr
