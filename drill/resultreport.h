#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/rgb.h"

namespace kvr {

struct ReportRow
{
    int y = 0; // top of the row; label at x 100, value at x 300, band to x 400, 18 high
    std::string label; // CP932
    std::string value; // CP932
    Rgb colour;
};

// What the result dialog (caption "解答結果！") shows: the comment in its band from
// (50, 15) to (550, 55), 35-pixel "ＭＳ 明朝" weight 600 italic, and seven rows.
struct ResultReport
{
    double rate = 0; // percent
    std::string comment; // CP932
    Rgb commentColour;
    std::array<ReportRow, 7> rows;
    // The button "間違えた問題だけもう一度": enabled when the drill missed a question.
    bool retryMissedEnabled = false;
};

// The report of a drill: correct and incorrect answers (all passes), summed answer time,
// summed byte length of the judged entries.
ResultReport buildResultReport(int correct, int incorrect, std::uint32_t answerMs, int keys);

// correct / (correct + incorrect) × 100; 0 when there were no answers.
double correctRate(int correct, int incorrect);
// "1 分 23 秒" from one minute on, else "5.2 秒".
std::string formatAnswerTime(std::uint32_t answerMs);
// Keys per second over the whole seconds of answerMs; 0 below one second.
double charsPerSecond(int keys, std::uint32_t answerMs);
// "120.00 [Chars/Min]  (2.00 [Chars/Sec])".
std::string formatSpeed(int keys, std::uint32_t answerMs);
// The drill window's running figure: "120.00 [Chars/Min]".
std::string formatRunningSpeed(int keys, std::uint32_t answerMs);

// The dialog's caption and fixed colours.
std::string resultCaption(); // CP932 "解答結果！"
std::string retryMissedCaption(); // CP932 "間違えた問題だけもう一度"
constexpr Rgb kReportTextColour { 2, 2, 2 };
constexpr Rgb kReportCommentColour { 0, 0, 250 };
constexpr Rgb kReportGoodRateColour { 0, 0, 255 };
constexpr Rgb kReportPoorRateColour { 255, 0, 0 };

} // namespace kvr
