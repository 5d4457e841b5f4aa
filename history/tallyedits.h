#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "history/ratebasis.h"

namespace kvr {

class IPrompter;

// The per-question popup's changes to the learner's tallies. Each returns true when it
// changed the record: the page then refreshes the row texts (refreshCountCells), saves the
// log at once (a failed save shows logSaveFailedText) and refreshes the main window.

// "チェックした問題の履歴を削除...(&D)": the question of "削除の確認", or nothing when the
// command ends at once: no ticked row, or a line that is not a full question line among
// the first ten ticked. The text is "問題\n\n" + list + "\nの履歴を削除しますか？", the list
// holding for each of the first ten ticked rows a blank, a double quote, question line 1
// (part-of-speech markers expanded), " = ", answer 1, a double quote and a line feed, and
// "...\n" when more rows are ticked.
std::optional<std::string> deleteHistoryQuestion(const CSection &section,
                                                 const std::vector<int> &ticked);

// Asks that question (Yes/No) and on Yes sets the four counted fields of every ticked
// position to 0; the learner's corrections stay. Without a record nothing is asked.
bool deleteTickedHistory(CSectionLog *record, const CSection &section,
                         const std::vector<int> &ticked, IPrompter &prompter);

// The values of the menus "正解数±(&C)" and "不正解数±(&I)", in menu order.
inline constexpr std::array<int, 13> kCountCorrections = { 10, 5,  4,  3,  2,  1,  0,
                                                           -1, -2, -3, -4, -5, -10 };
// "+10" … "+1", "0", "-1" … "-10".
std::string countCorrectionLabel(int value);

// Changes the correction of one side of the selected rows' tallies: the first-answer
// correction under FirstAnswers and Both, the re-answer correction under Retries; 0 sets
// it to 0, any other value is added (limited to the 32-bit range). Rows that are not full
// question lines show no counts and are left alone. Nothing without a record.
bool correctCounts(CSectionLog *record, const CSection &section,
                   const std::vector<int> &selectedPositions, TallySideKind side, int value,
                   RateBasis basis);

} // namespace kvr
