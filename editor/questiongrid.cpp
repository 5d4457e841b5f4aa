// The question grid's rows, current row and edit fields.
#include "editor/questiongrid.h"

#include <algorithm>
#include <utility>

namespace kvr {

const std::string &cellText(const CQuestion &row, GridColumn column)
{
    const int index = static_cast<int>(column);
    if (index < 5)
        return row.answers[static_cast<std::size_t>(index)];
    if (index < 7)
        return row.questionLines[static_cast<std::size_t>(index - 5)];
    if (index < 10)
        return row.hints[static_cast<std::size_t>(index - 7)];
    return column == GridColumn::WavFile ? row.wavFile : row.extData;
}

std::string &cellText(CQuestion &row, GridColumn column)
{
    return const_cast<std::string &>(cellText(std::as_const(row), column));
}

std::array<std::string, kGridColumnCount> rowTexts(const CQuestion &row)
{
    std::array<std::string, kGridColumnCount> texts;
    for (int i = 0; i < kGridColumnCount; ++i)
        texts[static_cast<std::size_t>(i)] = cellText(row, static_cast<GridColumn>(i));
    return texts;
}

void CQuestionGrid::load(const std::vector<std::string> &lines)
{
    m_rows.clear();
    m_rows.reserve(lines.size() + 1);
    for (const std::string &line : lines)
        m_rows.push_back(decodeEditorLine(line));
    while (!m_rows.empty() && isEmptyQuestion(m_rows.back()))
        m_rows.pop_back();
    m_rows.emplace_back();
    m_current = 0;
    m_answerNumber = 1;
    showCurrent();
}

void CQuestionGrid::clear()
{
    m_rows.clear();
    m_current.reset();
    m_answerNumber = 1;
    showCurrent();
}

std::vector<std::string> CQuestionGrid::lines() const
{
    std::vector<std::string> result;
    result.reserve(m_rows.size());
    for (const CQuestion &row : m_rows)
        result.push_back(formatQuestionLine(row));
    return result;
}

void CQuestionGrid::selectRow(std::size_t row)
{
    if (m_rows.empty())
        return;
    row = std::min(row, m_rows.size() - 1);
    if (m_current == row)
        return;
    m_current = row;
    m_answerNumber = 1;
    showCurrent();
}

bool CQuestionGrid::selectNext()
{
    if (!m_current || isLastRow(*m_current))
        return false;
    selectRow(*m_current + 1);
    return true;
}

bool CQuestionGrid::selectPrevious()
{
    if (!m_current || *m_current == 0)
        return false;
    selectRow(*m_current - 1);
    return true;
}

bool CQuestionGrid::moveAnswerNumber(int delta)
{
    return setAnswerNumber(std::clamp(m_answerNumber + delta, 1, kAnswerNumberCount));
}

bool CQuestionGrid::setAnswerNumber(int number)
{
    if (number < 1 || number > kAnswerNumberCount || number == m_answerNumber || !m_current)
        return false;
    m_answerNumber = number;
    showCurrent();
    return true;
}

void CQuestionGrid::refreshFields()
{
    showCurrent();
}

std::optional<PartOfSpeech> CQuestionGrid::markedPart() const
{
    if (!m_current)
        return std::nullopt;
    return markedPartOfSpeech(m_rows[*m_current].questionLines[0]);
}

RowEdit CQuestionGrid::editField(EditField field, std::string text)
{
    if (!m_current)
        return {};
    std::string &target = field == EditField::Answer ? m_fields.answer
        : field == EditField::Question               ? m_fields.question
                                                     : m_fields.hint;
    if (target == text)
        return {};
    target = std::move(text);
    return rewriteCurrent(questionTag(m_rows[*m_current].questionLines[0]));
}

RowEdit CQuestionGrid::pressPartOfSpeech(PartOfSpeech part)
{
    if (!m_current)
        return {};
    const CQuestion &row = m_rows[*m_current];
    const std::string tag = tagAfterPressing(row.questionLines[0], part);
    // A tag typed into the question field is the row's tag now, not part of its text.
    m_fields = editFieldsOf(row, m_answerNumber);
    const RowEdit edit = rewriteCurrent(tag);
    showCurrent();
    return edit;
}

RowEdit CQuestionGrid::rewriteCurrent(std::string_view tag)
{
    const std::size_t row = *m_current;
    const std::string keptTag(tag); // tag may point into the row being rewritten
    writeFieldsBack(m_rows[row], m_fields, m_answerNumber, keptTag);
    RowEdit edit { true, false };
    if (isEmptyQuestion(m_rows[row]) && !isLastRow(row))
        edit.emptied = true;
    ensureEmptyLastRow();
    return edit;
}

void CQuestionGrid::insertRow(std::size_t at, CQuestion row)
{
    at = std::min(at, m_rows.size());
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    m_answerNumber = 1;
    showCurrent();
}

void CQuestionGrid::removeRow(std::size_t at)
{
    if (at >= m_rows.size())
        return;
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(at));
    ensureEmptyLastRow();
    if (m_current)
        m_current = std::min(*m_current, m_rows.size() - 1);
    m_answerNumber = 1;
    showCurrent();
}

void CQuestionGrid::setRow(std::size_t at, CQuestion row)
{
    if (at >= m_rows.size())
        return;
    m_rows[at] = std::move(row);
    ensureEmptyLastRow();
    showCurrent();
}

void CQuestionGrid::appendRow(CQuestion row)
{
    m_rows.push_back(std::move(row));
}

void CQuestionGrid::reorder(const std::vector<std::size_t> &order)
{
    std::vector<CQuestion> rows;
    rows.reserve(order.size());
    for (const std::size_t from : order)
        rows.push_back(m_rows.at(from));
    m_rows = std::move(rows);
    m_answerNumber = 1;
    showCurrent();
}

void CQuestionGrid::ensureEmptyLastRow()
{
    if (m_rows.empty() || !isEmptyQuestion(m_rows.back()))
        m_rows.emplace_back();
}

void CQuestionGrid::showCurrent()
{
    m_fields = m_current && *m_current < m_rows.size()
        ? editFieldsOf(m_rows[*m_current], m_answerNumber)
        : EditFields();
    ++m_fieldsRevision;
}

} // namespace kvr
