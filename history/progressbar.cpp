#include "history/progressbar.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

void addTexts(ProgressPaint &paint, const CSectionLog &r, int questionCount, double width)
{
    auto add = [&paint](std::string text, double x, double y, Rgb colour) {
        paint.texts.push_back({ std::move(text), x, y, colour, PageFont::Mincho13 });
    };
    add(cp932::text("進行状況"), 15, 10, kPaintBlack);
    add(formatText("%d / %d", r.seriesDone, questionCount), width - 100, 10, kPaintBlack);
    add(cp932::text("前回の出題数"), 15, 95, kPaintBlack);
    add(formatText("%d", r.lastSeriesCount), width - 100, 95, kPaintBlack);
    if (r.seriesSeed > 0)
        add(formatText(cp932::text("（乱数の種：%u）"), r.seriesSeed), 15, 112, kSeedText);
}

// Pixel columns grouped into runs of taken marks; integer arithmetic keeps the floor exact.
std::vector<ProgressPaint::Span> takenSpans(const std::vector<bool> &taken, const RectF &inner)
{
    std::vector<ProgressPaint::Span> spans;
    const auto w = static_cast<std::int64_t>(inner.width());
    const auto marks = static_cast<std::int64_t>(taken.size());
    if (w <= 0 || marks == 0)
        return spans;
    for (std::int64_t x = 0; x < w; ++x) {
        if (!taken[static_cast<std::size_t>(x * marks / w)])
            continue;
        const double left = inner.left + static_cast<double>(x);
        if (!spans.empty() && spans.back().right == left)
            spans.back().right = left + 1;
        else
            spans.push_back({ left, left + 1 });
    }
    return spans;
}

} // namespace

ProgressPaint progressPaint(const ProgressInput &input)
{
    ProgressPaint paint;
    const double width = input.width;
    paint.bar = { 15, 30, width - 15, 80 };
    paint.inner = { 16, 31, width - 16, 79 };
    paint.middle = static_cast<double>(static_cast<int>(paint.inner.top + paint.inner.bottom) / 2);
    const CSectionLog &record = input.record ? *input.record : emptySectionLog();
    addTexts(paint, record, input.questionCount, width);
    if (!input.record || !input.sectionFound)
        return paint;

    if (record.seriesSeed > 0) {
        paint.takenSpans = takenSpans(input.taken, paint.inner);
        paint.middleLine = true;
    }
    const double share = input.questionCount > 0
        ? std::clamp(static_cast<double>(record.seriesDone) / input.questionCount, 0.0, 1.0)
        : 0.0;
    paint.fill =
        RectF { paint.inner.left, paint.middle,
                paint.inner.left + share * std::max(0.0, paint.inner.width()), paint.inner.bottom };
    return paint;
}

} // namespace kvr
