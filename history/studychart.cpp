#include "history/studychart.h"

#include <algorithm>
#include <cmath>

#include "history/answerjournal.h"
#include "history/localtime.h"
#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

// Room around the plot: the totals and the legend above, the count scale left, the rate
// scale right, the day labels below.
constexpr double kPlotLeft = 44;
constexpr double kPlotTop = 70;
constexpr double kPlotRightMargin = 44;
constexpr double kPlotBottomMargin = 24;
constexpr double kMinimumPlotWidth = 150;
constexpr double kMinimumPlotHeight = 60;
constexpr int kGridSteps = 4;
// Gothic 10-pixel text: about five pixels a byte.
constexpr double kSmallBytePixels = 5;
constexpr double kDayLabelRoom = 34; // "12/31" and a gap

PaintText smallText(std::string text, double x, double y, Rgb colour = kPaintBlack)
{
    return PaintText { std::move(text), x, y, colour, PageFont::Gothic10 };
}

// The count at the top of the scale: four steps of 1, 2 or 5 times a power of ten.
int scaleTop(int largest)
{
    for (int power = 1;; power *= 10) {
        for (const int base : { 1, 2, 5 }) {
            if (base * power * kGridSteps >= largest)
                return base * power * kGridSteps;
        }
        if (power > 100000000)
            return largest;
    }
}

int todayOf(std::int64_t now)
{
    const auto tm = localTimeOf(now);
    if (!tm)
        return 0;
    return dayNumber(tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday);
}

std::string dayLabel(int day)
{
    int year = 0, month = 0, date = 0;
    dateOfDay(day, year, month, date);
    return formatText("%d/%d", month, date);
}

void addScales(StudyChart &chart, int top)
{
    const RectF &plot = chart.plot;
    for (int step = 0; step <= kGridSteps; ++step) {
        const double y = plot.bottom - plot.height() * step / kGridSteps;
        if (step > 0 && step < kGridSteps)
            chart.gridLines.push_back(y);
        const std::string count = std::to_string(top / kGridSteps * step);
        chart.texts.push_back(smallText(
            count, plot.left - 4 - kSmallBytePixels * static_cast<double>(count.size()), y - 5));
        chart.texts.push_back(
            smallText(formatText("%d%%", 100 / kGridSteps * step), plot.right + 4, y - 5));
    }
}

void addDays(StudyChart &chart, int top)
{
    const RectF &plot = chart.plot;
    const double slot = plot.width() / kStudyChartDays;
    const int labelEvery = std::max(1, static_cast<int>(std::ceil(kDayLabelRoom / slot)));
    std::vector<PointF> run;
    for (int i = 0; i < kStudyChartDays; ++i) {
        const DayCount &count = chart.figures.days[static_cast<std::size_t>(i)];
        const double centre = plot.left + slot * (i + 0.5);
        if ((kStudyChartDays - 1 - i) % labelEvery == 0) {
            const std::string label = dayLabel(chart.figures.today - (kStudyChartDays - 1 - i));
            chart.texts.push_back(
                smallText(label, centre - kSmallBytePixels / 2 * static_cast<double>(label.size()),
                          plot.bottom + 4));
        }
        if (count.answers <= 0) {
            if (!run.empty())
                chart.rateLines.push_back(std::move(run));
            run.clear();
            continue;
        }
        const double height = plot.height() * std::min(1.0, double(count.answers) / top);
        chart.bars.push_back(
            RectF { centre - slot * 0.3, plot.bottom - height, centre + slot * 0.3, plot.bottom });
        const double rate = double(count.correct) / count.answers;
        run.push_back(PointF { centre, plot.bottom - plot.height() * std::clamp(rate, 0.0, 1.0) });
    }
    if (!run.empty())
        chart.rateLines.push_back(std::move(run));
}

} // namespace

StudyFigures studyFigures(const CJournalSummary &summary, const std::string &learner,
                          const std::string &folder, int today)
{
    StudyFigures figures;
    figures.today = today;
    figures.days.resize(kStudyChartDays);
    const DayCounts days = summary.days(learner, folder);
    const int first = today - (kStudyChartDays - 1);
    for (auto at = days.lower_bound(first); at != days.end() && at->first <= today; ++at) {
        figures.days[static_cast<std::size_t>(at->first - first)] = at->second;
        figures.answers += at->second.answers;
        figures.correct += at->second.correct;
        if (at->second.answers > 0)
            ++figures.daysStudied;
    }
    const auto studied = [&](int day) {
        const auto at = days.find(day);
        return at != days.end() && at->second.answers > 0;
    };
    int day = studied(today) ? today : today - 1;
    while (studied(day)) {
        ++figures.streak;
        --day;
    }
    return figures;
}

std::vector<std::string> studyTotalsLines(const StudyFigures &figures)
{
    const int percent = figures.answers > 0
        ? static_cast<int>(std::lround(100.0 * figures.correct / figures.answers))
        : 0;
    return {
        formatText(cp932::text("直近%d日: 回答数 %d問  正答率 %d%%"), kStudyChartDays,
                   figures.answers, percent),
        formatText(cp932::text("学習した日 %d日  連続学習日数: %d日"), figures.daysStudied,
                   figures.streak),
    };
}

std::vector<std::string> studyEmptyLines()
{
    return { cp932::text("まだ学習記録がありません。"),
             cp932::text("問題に答えると、日ごとの回答数と正答率が"),
             cp932::text("ここにグラフで表示されます。") };
}

StudyChart studyChart(const StudyChartInput &input)
{
    StudyChart chart;
    static const CJournalSummary none;
    chart.figures =
        studyFigures(input.summary ? *input.summary : none, journalFieldText(input.learner),
                     journalFieldText(input.folder), todayOf(input.now));
    const std::vector<std::string> lines =
        chart.figures.answers == 0 ? studyEmptyLines() : studyTotalsLines(chart.figures);
    for (std::size_t i = 0; i < lines.size(); ++i)
        chart.texts.push_back(PaintText { lines[i], 10, 8 + 18.0 * static_cast<double>(i),
                                          kPaintBlack, PageFont::Gothic13 });
    if (chart.figures.answers == 0)
        return chart;
    chart.plot = RectF { kPlotLeft, kPlotTop, input.width - kPlotRightMargin,
                         input.height - kPlotBottomMargin };
    if (chart.plot.width() < kMinimumPlotWidth || chart.plot.height() < kMinimumPlotHeight)
        return chart;
    chart.hasPlot = true;
    chart.texts.push_back(smallText(cp932::text("■ 回答数（左の目盛り）"), 10, 48, kStudyBar));
    chart.texts.push_back(smallText(cp932::text("● 正答率（右の目盛り）"), 140, 48, kStudyRate));
    int largest = 0;
    for (const DayCount &day : chart.figures.days)
        largest = std::max(largest, day.answers);
    const int top = scaleTop(largest);
    addScales(chart, top);
    addDays(chart, top);
    return chart;
}

} // namespace kvr
