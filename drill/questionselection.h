#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/questiondatabase.h"
#include "drill/drillstarter.h"
#include "history/answerlog.h"
#include "history/checkmarks.h"
#include "history/progressbar.h"
#include "history/ratebasis.h"
#include "history/statistics.h"

// The history pages' selections that draw on the drill's question selection: the tick
// commands of the per-question page, its drill of the ticked rows, the statistics page's
// "覚える(&T)" and the progress page's replay of the random series.
namespace kvr {

class IPrompter;

// "正解率の低い問題(&W)" and "&10問" / "&20問" / "&30問": the n weakest questions of the
// record's tallies under basis (selectWeakest), to tick after clearing every mark; nothing
// (leave the marks alone) without a record.
std::optional<std::vector<int>> weakestTicks(const CSection &section, const CSectionLog *record,
                                             int n, RateBasis basis);

// "前回間違えた問題(&L)": the record's missed questions; nothing without a record.
std::optional<std::vector<int>> lastMissedTicks(const CSectionLog *record);

// "ランダム(&R)": up to n questions drawn with drawRandom from the collection's question
// lines, continuing the runtime generator as it stands (it is not reseeded); nothing when
// the collection has no question line.
std::optional<std::vector<int>> randomTicks(const CSection &section, int n);

// The tick commands of the popups "CheckSelect" and "SelectWorst".
enum class CheckCommand {
    Weakest, // "正解率の低い問題(&W)": the count field's number (20 when 0)
    Weakest10, // "&10問"
    Weakest20, // "&20問"
    Weakest30, // "&30問"
    LastMissed, // "前回間違えた問題(&L)" and the button "前回間違えた問題を選択"
    Random, // "ランダム(&R)"
    Invert, // "反転(&I)"
    Clear, // "全て解除(&C)"
};

struct CheckMenuItem
{
    std::string label; // CP932
    CheckCommand command;
};
// "CheckSelect": 正解率の低い問題(&W), 前回間違えた問題(&L), ランダム(&R), 反転(&I), 全て解除(&C).
std::vector<CheckMenuItem> checkSelectMenu();
// "SelectWorst" (the button "低正解率の問題を選択↓"): &10問, &20問, &30問.
std::vector<CheckMenuItem> selectWorstMenu();

// Runs a tick command on the marks of the collection's rows. countField is the selection
// count field's number. Returns the number the field shows afterwards when it changes (the
// 20 that "ランダム(&R)" writes back for a field of 0 or less, then the number of ticked
// questions when that changed); nothing when the field stays as it is. Weakest and
// LastMissed change nothing without a record, Random nothing without a question line.
std::optional<int> runCheckCommand(CheckCommand command, CCheckMarks &marks,
                                   const CSection &section, const CSectionLog *record,
                                   RateBasis basis, int countField);

// The marks of the progress bar: the generator seeded with seed, then done draws from the
// question lines; one mark per question line in collection order, set for the drawn ones.
// Leaves the runtime generator in the state the replay ends in.
std::vector<bool> replaySeriesMarks(const CSection &section, std::uint32_t seed, std::int32_t done);

// The progress page of the selected collection (nullptr when it cannot be found) and the
// learner's record for (path, LogMode) (nullptr when missing). Replays the series only for
// a record with a seed.
ProgressPaint progressView(const CSection *section, const CSectionLog *record, int width);

// "選択した問題を覚える": a drill of the ticked questions (CCheckMarks::drillSelection) with
// count -1 and the mode shown in the main window's mode strip; nothing when the tree's
// selection is not a collection or no question is ticked.
std::optional<WindowDrillRequest> tickedDrillRequest(const std::string &sectionPath,
                                                     TreeSelection selection,
                                                     const std::vector<int> &drillSelection,
                                                     DrillMode stripMode);

// "覚える(&T)": a count outside 1 … question count tells learnCountMessage and gives
// nothing; otherwise, for a collection, a drill of the whole collection with that count
// and the mode of the mode list's position (modeAtListPosition).
std::optional<WindowDrillRequest> learnRequest(const std::string &sectionPath,
                                               TreeSelection selection, int count,
                                               int questionCount, int modeListPosition,
                                               IPrompter &prompter);

} // namespace kvr
