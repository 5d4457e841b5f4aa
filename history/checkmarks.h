#pragma once

#include <optional>
#include <string>
#include <vector>

#include "history/questionrows.h"

namespace kvr {

// The tick marks of the per-question list, kept by line position so that they follow
// their rows through every sort. The commands change many marks at once; the page renders
// all marks afterwards with its own per-row change handling switched off, then updates the
// selection count field once (takeCountUpdate).
class CCheckMarks
{
public:
    // One cleared mark per row; rows are those of buildQuestionRows, in any order. Like
    // every change of marks, follow it with takeCountUpdate.
    void reset(const std::vector<QuestionRow> &rows);

    bool isChecked(int position) const;

    // "正解率の低い問題(&W)", "前回間違えた問題(&L)", "ランダム(&R)": clears every mark, then
    // ticks the rows of the given positions (positions without a row are ignored).
    void checkOnly(const std::vector<int> &positions);
    // "反転(&I)": every row's mark inverted, blank rows included.
    void invert();
    // "全て解除(&C)".
    void clear();

    // The learner ticked or cleared one row. When more than one row is selected and the
    // row is one of them, every selected row takes the same state.
    void setByUser(int position, bool checked, const std::vector<int> &selectedPositions);

    // The ticked positions in the order of rows (the list's current order).
    std::vector<int> checkedPositions(const std::vector<QuestionRow> &rows) const;
    // "選択した問題を覚える": the same without the rows that decode to no text at all.
    std::vector<int> drillSelection(const std::vector<QuestionRow> &rows) const;
    // The number of ticked full question lines.
    int checkedQuestionCount() const;

    // The selection count field's new value when the number of ticked full question lines
    // differs from the one last taken (0 at first, so the field keeps its initial 20 until
    // a question is ticked); nothing when the field stays as it is.
    std::optional<int> takeCountUpdate();

private:
    std::vector<bool> m_checked; // by position
    std::vector<bool> m_isQuestion; // by position
    int m_shownCount = 0;
};

// The selection count field starts at this value each time the page is created.
constexpr int kSelectionCountInitial = 20;

// "/ %d" with the collection's question count, painted in PageFont::Mincho13 at (client
// left + 137, client bottom - 80), beside the selection count field.
std::string selectionTotalText(int questionCount);

// "正解率の低い問題(&W)": the field's number, 20 when it is 0.
int weakestCheckCount(int fieldValue);
// "ランダム(&R)": the field's number, 20 when it is 0 or less (the page writes the 20 back).
int randomCheckCount(int fieldValue);

} // namespace kvr
