#pragma once

#include <string_view>

#include "history/answerlog.h"
#include "history/statistics.h"

namespace kvr {

class IPrompter;

// The statistics page's two erase buttons. Each asks through prompter (Yes/No, caption
// "履歴消去") and returns true when it changed the log: the page then refreshes the main
// window and saves the log at once (a failed save shows logSaveFailedText). Nothing is
// asked or changed unless the tree's selection is a collection.

// "全履歴消去": asks "問題集 %s の全回答履歴を消去しますか？" with the path; on Yes removes the
// learner's records of the collection in all five modes. False when nothing was removed.
bool eraseAllHistory(CAnswerLog &log, std::string_view userName, std::string_view path,
                     TreeSelection selection, IPrompter &prompter);

// "履歴消去": the run shown in the run list (index into recentRuns, 0 = newest) of the
// learner's record for (path, mode). Asks "問題集 %s の %s(%s) の回答履歴を消去しますか？"
// with the path, the run's label and its startTime as local "YYYY-MM-DD(曜) HH:MM:SS"; on
// Yes removes that run, leaving the totals as they are. Without a record nothing happens; a
// run index outside the record's runs tells "消去に失敗しました" and changes nothing.
bool eraseShownRun(CAnswerLog &log, std::string_view userName, std::string_view path,
                   LogModeIndex mode, int runIndex, TreeSelection selection, IPrompter &prompter);

} // namespace kvr
