#include "history/statistics.h"

#include <algorithm>

#include "history/localtime.h"
#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr double kLabelX = 15;
constexpr int kValueFromRight = 70;

class TextList
{
public:
    explicit TextList(int width)
        : m_width(width)
    {
    }
    void label(std::string_view utf8, double y, Rgb colour)
    {
        add(cp932::text(utf8), kLabelX, y, colour);
    }
    void value(std::string text, double y, Rgb colour, int fromRight = kValueFromRight)
    {
        add(std::move(text), static_cast<double>(m_width) - fromRight, y, colour);
    }
    void add(std::string text, double x, double y, Rgb colour)
    {
        m_texts.push_back({ std::move(text), x, y, colour, PageFont::Gothic13 });
    }
    std::vector<PaintText> take() { return std::move(m_texts); }

private:
    int m_width;
    std::vector<PaintText> m_texts;
};

std::string countText(std::int32_t value)
{
    return formatText("%5d", value);
}

void addTotals(TextList &out, const CSectionLog &r)
{
    out.label("正解数", 5, kPaintBlack);
    out.value(countText(r.correctCount), 5, kPaintBlack);
    out.label("不正解数", 22, kPaintBlack);
    out.value(countText(r.incorrectCount), 22, kPaintBlack);
    const double rate = correctRate(r.correctCount, r.incorrectCount);
    out.label("正解率", 39, rateColour(rate));
    out.value(ratePercentText(rate), 39, rateColour(rate));
    out.label("学習回数", 61, kPaintBlack);
    out.value(formatText(cp932::text("%5d 回"), r.studyCount), 61, kPaintBlack);
    out.label("総学習時間", 78, kPaintBlack);
    StudyTimeText time = studyTimeText(r.totalStudySeconds);
    out.value(std::move(time.text), 78, kPaintBlack, time.xFromRight);
    out.label("キー入力速度", 95, kKeySpeedGreen);
    out.value(keySpeedText(r.totalKeyCount, r.totalStudySeconds), 95, kKeySpeedGreen, 145);
}

void addSelectionLabels(TextList &out, const StatisticsInput &in)
{
    const Rgb colour = in.selection == TreeSelection::Folder ? kPaintGrey : kPaintBlack;
    const double w = in.width;
    const double h = in.height;
    out.add(cp932::text("出題数"), w - 325, h - 24, colour);
    out.add(countRangeText(in.selection, in.questionCount), w - 190, h - 24, colour);
    out.add(cp932::text("モード"), w - 325, h - 50, colour);
}

void addRunBlock(TextList &out, const DrillRunRecord &run)
{
    out.add(cp932::text("の履歴"), 95, 125, kPaintBlack);
    out.label("正解数", 147, kPaintBlack);
    out.value(countText(run.correct), 147, kPaintBlack);
    out.label("不正解数", 164, kPaintBlack);
    out.value(countText(run.incorrect), 164, kPaintBlack);
    const double rate = correctRate(run.correct, run.incorrect);
    out.label("正解率", 181, rateColour(rate));
    out.value(ratePercentText(rate), 181, rateColour(rate));
    out.label("学習日時", 198, kPaintBlack);
    out.value(localDateTimeText(run.endTime), 198, kPaintBlack, 160);
}

} // namespace

double correctRate(std::int64_t correct, std::int64_t incorrect)
{
    const std::int64_t total = correct + incorrect;
    if (total == 0)
        return 0;
    return std::clamp(static_cast<double>(correct) / static_cast<double>(total), 0.0, 1.0);
}

Rgb rateColour(double rate)
{
    if (rate < 0.5)
        return kRateRed;
    return rate < 0.8 ? kRateNavy : kRateBlue;
}

std::string ratePercentText(double rate)
{
    return formatText("%5.1f %%", 100 * rate);
}

StudyTimeText studyTimeText(std::int32_t seconds)
{
    const int s = seconds;
    if (s < 61)
        return { formatText(cp932::text("%5d 秒"), s), 70 };
    if (s < 3601)
        return { formatText(cp932::text("%2d 分 %2d 秒"), s / 60, s % 60), 91 };
    return { formatText("%2dH %02dm %02ds", s / 3600, s % 3600 / 60, s % 60), 112 };
}

std::string keySpeedText(std::int32_t keyCount, std::int32_t seconds)
{
    const double speed = seconds == 0 ? 0.0 : static_cast<double>(keyCount) / seconds * 60;
    return formatText(cp932::text("%10.2lf [Keys/分]"), speed);
}

std::string recentRunLabel(std::size_t index)
{
    if (index == 0)
        return cp932::text("前回");
    if (index == 1)
        return cp932::text("前々回");
    if (index < CSectionLog::kMaxRecentRuns)
        return formatText(cp932::text("%d回前"), static_cast<int>(index + 1));
    return {};
}

std::vector<std::string> runListLabels(const CSectionLog *record)
{
    std::vector<std::string> labels;
    if (!record)
        return labels;
    const std::size_t count = std::min(record->recentRuns.size(), CSectionLog::kMaxRecentRuns);
    for (std::size_t j = 0; j < count; ++j)
        labels.push_back(recentRunLabel(j));
    return labels;
}

StatisticsPaint statisticsPaint(const StatisticsInput &input)
{
    TextList out(input.width);
    addTotals(out, input.record ? *input.record : emptySectionLog());
    if (input.selection != TreeSelection::None)
        addSelectionLabels(out, input);

    StatisticsPaint paint;
    const int runs = input.record ? static_cast<int>(input.record->recentRuns.size()) : 0;
    if (input.selectedRun && *input.selectedRun >= 0 && *input.selectedRun < runs) {
        const int j = *input.selectedRun;
        addRunBlock(out, input.record->recentRuns[static_cast<std::size_t>(j)]);
        paint.graph = runGraph(*input.record, j, input.width, input.height);
    }
    paint.texts = out.take();
    return paint;
}

std::optional<std::string> learnCountMessage(int count, int questionCount)
{
    if (count >= 1 && count <= questionCount)
        return std::nullopt;
    return formatText(cp932::text("出題数を %d ～ %d の範囲で指定してください。"), 1,
                      questionCount);
}

std::string countRangeText(TreeSelection selection, int questionCount)
{
    if (selection == TreeSelection::Collection)
        return formatText(cp932::text("(%d～%d)"), 1, questionCount);
    return formatText(cp932::text("(%d～%d)"), 0, 0);
}

} // namespace kvr
