#include "history/checkmarks.h"

#include <algorithm>

namespace kvr {

namespace {

bool inRange(const std::vector<bool> &marks, int position)
{
    return position >= 0 && static_cast<std::size_t>(position) < marks.size();
}

} // namespace

void CCheckMarks::reset(const std::vector<QuestionRow> &rows)
{
    std::size_t size = 0;
    for (const QuestionRow &row : rows)
        size = std::max(size, static_cast<std::size_t>(std::max(row.position, 0)) + 1);
    m_checked.assign(size, false);
    m_isQuestion.assign(size, false);
    for (const QuestionRow &row : rows) {
        if (row.position >= 0)
            m_isQuestion[static_cast<std::size_t>(row.position)] = row.isQuestion();
    }
}

bool CCheckMarks::isChecked(int position) const
{
    return inRange(m_checked, position) && m_checked[static_cast<std::size_t>(position)];
}

void CCheckMarks::checkOnly(const std::vector<int> &positions)
{
    clear();
    for (int position : positions) {
        if (inRange(m_checked, position))
            m_checked[static_cast<std::size_t>(position)] = true;
    }
}

void CCheckMarks::invert()
{
    m_checked.flip();
}

void CCheckMarks::clear()
{
    std::fill(m_checked.begin(), m_checked.end(), false);
}

void CCheckMarks::setByUser(int position, bool checked, const std::vector<int> &selectedPositions)
{
    if (!inRange(m_checked, position))
        return;
    const bool inSelection = std::find(selectedPositions.begin(), selectedPositions.end(), position)
        != selectedPositions.end();
    if (selectedPositions.size() > 1 && inSelection) {
        for (int selected : selectedPositions) {
            if (inRange(m_checked, selected))
                m_checked[static_cast<std::size_t>(selected)] = checked;
        }
        return;
    }
    m_checked[static_cast<std::size_t>(position)] = checked;
}

std::vector<int> CCheckMarks::checkedPositions(const std::vector<QuestionRow> &rows) const
{
    std::vector<int> positions;
    for (const QuestionRow &row : rows) {
        if (isChecked(row.position))
            positions.push_back(row.position);
    }
    return positions;
}

std::vector<int> CCheckMarks::drillSelection(const std::vector<QuestionRow> &rows) const
{
    std::vector<int> positions;
    for (const QuestionRow &row : rows) {
        if (!row.blank && isChecked(row.position))
            positions.push_back(row.position);
    }
    return positions;
}

int CCheckMarks::checkedQuestionCount() const
{
    int count = 0;
    for (std::size_t i = 0; i < m_checked.size(); ++i)
        count += m_checked[i] && m_isQuestion[i] ? 1 : 0;
    return count;
}

std::optional<int> CCheckMarks::takeCountUpdate()
{
    const int count = checkedQuestionCount();
    if (count == m_shownCount)
        return std::nullopt;
    m_shownCount = count;
    return count;
}

std::string selectionTotalText(int questionCount)
{
    return "/ " + std::to_string(questionCount);
}

int weakestCheckCount(int fieldValue)
{
    return fieldValue == 0 ? kSelectionCountInitial : fieldValue;
}

int randomCheckCount(int fieldValue)
{
    return fieldValue <= 0 ? kSelectionCountInitial : fieldValue;
}

} // namespace kvr
