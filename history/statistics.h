#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "history/answerlog.h"
#include "history/pagepaint.h"
#include "history/rungraph.h"

// The statistics page "通常学習": its figures and texts, the run list and the count check of
// its "覚える(&T)" button. Every text is CP932.
namespace kvr {

// correct / (correct + incorrect), 0 when the sum is 0; limited to 0 … 1 (negative counts
// only come from damaged files).
double correctRate(std::int64_t correct, std::int64_t incorrect);

// Red below 0.5, navy from 0.5 to below 0.8, blue from 0.8.
Rgb rateColour(double rate);

// "%5.1f %%" of 100 × rate.
std::string ratePercentText(double rate);

// "総学習時間" of s seconds, drawn at x = width - xFromRight:
//   s < 61:    "%5d 秒" (s) at 70;
//   s < 3601:  "%2d 分 %2d 秒" (s / 60, s % 60) at 91 (so 3600 s is "60 分  0 秒");
//   otherwise: "%2dH %02dm %02ds" (s / 3600, s % 3600 / 60, s % 60) at 112.
struct StudyTimeText
{
    std::string text;
    int xFromRight = 0;
    bool operator==(const StudyTimeText &) const = default;
};
StudyTimeText studyTimeText(std::int32_t seconds);

// "キー入力速度": "%10.2lf [Keys/分]" of keyCount / seconds × 60; 0 when seconds is 0.
std::string keySpeedText(std::int32_t keyCount, std::int32_t seconds);

// The run list entry of recentRuns[index]: "前回", "前々回", "3回前" … "20回前"; empty for
// an index outside 0-19.
std::string recentRunLabel(std::size_t index);

// The run list of a record: one label per recent run, at most 20, newest first; empty
// without a record. The list and the buttons "全履歴消去" and "履歴消去" are shown only
// when it is not empty; its entry 0 is selected after each reload.
std::vector<std::string> runListLabels(const CSectionLog *record);

// What the tree has selected.
enum class TreeSelection { None, Folder, Collection };

struct StatisticsInput
{
    const CSectionLog *record = nullptr; // the learner's record for (path, LogMode), if any
    TreeSelection selection = TreeSelection::None;
    int questionCount = 0; // the selected collection's; ignored for a folder
    std::optional<int> selectedRun; // the run list's selection
    int width = 0; // client size
    int height = 0;
};

struct StatisticsPaint
{
    std::vector<PaintText> texts; // PageFont::Gothic13
    std::optional<RunGraph> graph;
    bool operator==(const StatisticsPaint &) const = default;
};

// Everything the page paints: the totals (zeros without a record), the count range and
// mode labels when an item is selected (grey for a folder), and for a valid selected run
// its block ("の履歴", its counts, rate and end time) and, when the page is tall enough,
// the graph.
StatisticsPaint statisticsPaint(const StatisticsInput &input);

// "覚える(&T)": the message "出題数を %d ～ %d の範囲で指定してください。" (1, question count)
// when the count is below 1 or above the question count; nothing when it may start.
std::optional<std::string> learnCountMessage(int count, int questionCount);

// The count range label: "(%d～%d)" with (1, count) for a collection, (0, 0) otherwise.
std::string countRangeText(TreeSelection selection, int questionCount);

} // namespace kvr
