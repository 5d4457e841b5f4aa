#include "drill/resultreport.h"

#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

// The comment by rate; a boundary value belongs to the lower row.
std::string commentFor(double rate)
{
    const char *comment = "もう少しがんばろうねっ！";
    if (rate == 100)
        comment = "完ぺきですねっ！！";
    else if (rate > 90)
        comment = "あと一歩でしたね！";
    else if (rate > 70)
        comment = "よくできましたっ！";
    else if (rate > 50)
        comment = "ちょっとくるしかったかな？";
    return cp932::text(comment);
}

ReportRow row(int y, const char *label, std::string value, Rgb colour = kReportTextColour)
{
    return { y, cp932::text(label), std::move(value), colour };
}

} // namespace

double correctRate(int correct, int incorrect)
{
    const long long answers = static_cast<long long>(correct) + incorrect;
    if (answers == 0)
        return 0;
    // Multiplying first keeps whole percentages exact (18 of 20 is 90, not 90.000…01).
    return static_cast<double>(correct) * 100.0 / static_cast<double>(answers);
}

std::string formatAnswerTime(std::uint32_t answerMs)
{
    const unsigned seconds = (answerMs / 1000) % 60;
    if (answerMs >= 60000)
        return formatText(cp932::text("%u 分 %u 秒"), answerMs / 60000, seconds);
    return formatText(cp932::text("%u.%01u 秒"), seconds, (answerMs % 1000) / 100);
}

double charsPerSecond(int keys, std::uint32_t answerMs)
{
    const std::uint32_t wholeSeconds = answerMs / 1000;
    if (wholeSeconds == 0)
        return 0;
    return static_cast<double>(keys) / wholeSeconds;
}

std::string formatSpeed(int keys, std::uint32_t answerMs)
{
    const double perSecond = charsPerSecond(keys, answerMs);
    return formatText("%.2f [Chars/Min]  (%.2f [Chars/Sec])", perSecond * 60, perSecond);
}

std::string formatRunningSpeed(int keys, std::uint32_t answerMs)
{
    return formatText("%.2f [Chars/Min]", charsPerSecond(keys, answerMs) * 60);
}

std::string resultCaption()
{
    return cp932::text("解答結果！");
}

std::string retryMissedCaption()
{
    return cp932::text("間違えた問題だけもう一度");
}

ResultReport buildResultReport(int correct, int incorrect, std::uint32_t answerMs, int keys)
{
    ResultReport report;
    report.rate = correctRate(correct, incorrect);
    report.comment = commentFor(report.rate);
    report.commentColour = kReportCommentColour;
    const Rgb rateColour = report.rate >= 50 ? kReportGoodRateColour : kReportPoorRateColour;
    report.rows = {
        row(70, "解答時間", formatAnswerTime(answerMs)),
        row(90, "入力文字数", formatText(cp932::text("%d文字"), keys)),
        row(110, "有効入力速度", formatSpeed(keys, answerMs)),
        row(140, "正解数", formatText("%d", correct)),
        row(160, "全不正解数", formatText("%d", incorrect)),
        row(200, "全問題数", formatText("%lld", static_cast<long long>(correct) + incorrect)),
        row(240, "正解率", formatText("%.2f", report.rate), rateColour),
    };
    return report;
}

} // namespace kvr
