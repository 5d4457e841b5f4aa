#include <gtest/gtest.h>

#include "drill/resultreport.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"

namespace kvr {
namespace {

TEST(ResultReport, CommentByRateWithBoundariesInTheLowerRow)
{
    const struct
    {
        int correct, incorrect;
        const char *comment;
        Rgb rateColour;
        const char *rate;
    } rows[] = {
        { 20, 0, "完ぺきですねっ！！", kReportGoodRateColour, "100.00" },
        { 19, 1, "あと一歩でしたね！", kReportGoodRateColour, "95.00" },
        { 18, 2, "よくできましたっ！", kReportGoodRateColour, "90.00" },
        { 9, 1, "よくできましたっ！", kReportGoodRateColour, "90.00" },
        { 71, 29, "よくできましたっ！", kReportGoodRateColour, "71.00" },
        { 7, 3, "ちょっとくるしかったかな？", kReportGoodRateColour, "70.00" },
        { 70, 30, "ちょっとくるしかったかな？", kReportGoodRateColour, "70.00" },
        { 1, 1, "もう少しがんばろうねっ！", kReportGoodRateColour, "50.00" },
        { 1, 2, "もう少しがんばろうねっ！", kReportPoorRateColour, "33.33" },
        { 0, 0, "もう少しがんばろうねっ！", kReportPoorRateColour, "0.00" },
        { 0, 5, "もう少しがんばろうねっ！", kReportPoorRateColour, "0.00" },
    };
    for (const auto &row : rows) {
        const ResultReport report = buildResultReport(row.correct, row.incorrect, 0, 0);
        SCOPED_TRACE(row.rate);
        EXPECT_EQ(report.comment, sj(row.comment));
        EXPECT_EQ(report.commentColour, (Rgb { 0, 0, 250 }));
        EXPECT_EQ(report.rows[6].value, row.rate);
        EXPECT_EQ(report.rows[6].colour, row.rateColour);
    }
}

TEST(ResultReport, SevenRowsInOrder)
{
    const ResultReport report = buildResultReport(18, 2, 83400, 120);
    const struct
    {
        int y;
        const char *label;
        std::string value;
    } rows[] = {
        { 70, "解答時間", sj("1 分 23 秒") },
        { 90, "入力文字数", sj("120文字") },
        { 110, "有効入力速度", "86.75 [Chars/Min]  (1.45 [Chars/Sec])" },
        { 140, "正解数", "18" },
        { 160, "全不正解数", "2" },
        { 200, "全問題数", "20" },
        { 240, "正解率", "90.00" },
    };
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(report.rows[i].y, rows[i].y);
        EXPECT_EQ(report.rows[i].label, sj(rows[i].label));
        EXPECT_EQ(report.rows[i].value, rows[i].value) << rows[i].label;
        const Rgb expected = i == 6 ? kReportGoodRateColour : kReportTextColour;
        EXPECT_EQ(report.rows[i].colour, expected) << rows[i].label;
    }
    EXPECT_EQ(kReportTextColour, (Rgb { 2, 2, 2 }));
    EXPECT_EQ(resultCaption(), sj("解答結果！"));
}

TEST(ResultReport, NoAnswersGiveZeroesEverywhere)
{
    const ResultReport report = buildResultReport(0, 0, 0, 0);
    EXPECT_EQ(report.rate, 0);
    EXPECT_EQ(report.rows[0].value, sj("0.0 秒"));
    EXPECT_EQ(report.rows[1].value, sj("0文字"));
    EXPECT_EQ(report.rows[2].value, "0.00 [Chars/Min]  (0.00 [Chars/Sec])");
    for (std::size_t i = 3; i < 6; ++i)
        EXPECT_EQ(report.rows[i].value, "0");
}

TEST(ResultReport, AnswerTimeAndSpeed)
{
    const struct
    {
        std::uint32_t ms;
        int keys;
        const char *time;
        std::string speed;
    } rows[] = {
        { 83400, 0, "1 分 23 秒", "0.00 [Chars/Min]  (0.00 [Chars/Sec])" },
        { 5250, 0, "5.2 秒", "0.00 [Chars/Min]  (0.00 [Chars/Sec])" },
        { 999, 3, "0.9 秒", "0.00 [Chars/Min]  (0.00 [Chars/Sec])" },
        { 60000, 120, "1 分 0 秒", "120.00 [Chars/Min]  (2.00 [Chars/Sec])" },
        { 59999, 118, "59.9 秒", "120.00 [Chars/Min]  (2.00 [Chars/Sec])" },
        { 1999, 3, "1.9 秒", "180.00 [Chars/Min]  (3.00 [Chars/Sec])" },
        { 7000, 10, "7.0 秒", "85.71 [Chars/Min]  (1.43 [Chars/Sec])" },
        { 3725000, 0, "62 分 5 秒", "0.00 [Chars/Min]  (0.00 [Chars/Sec])" },
        { 4294967295u, 0, "71582 分 47 秒", "0.00 [Chars/Min]  (0.00 [Chars/Sec])" },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(formatAnswerTime(row.ms), sj(row.time)) << row.ms;
        EXPECT_EQ(formatSpeed(row.keys, row.ms), row.speed) << row.ms;
    }
    EXPECT_EQ(formatRunningSpeed(120, 60000), "120.00 [Chars/Min]");
    EXPECT_EQ(formatRunningSpeed(3, 999), "0.00 [Chars/Min]");
}

TEST(ResultReport, ColourRefsAreRedGreenBlueFromTheLowByte)
{
    EXPECT_EQ(rgbFromColorRef(16765088), (Rgb { 160, 208, 255 }));
    EXPECT_EQ(rgbFromColorRef(0x0000FF), (Rgb { 255, 0, 0 }));
}

} // namespace
} // namespace kvr
