#include "history/questionrows.h"

#include <algorithm>
#include <charconv>

#include "history/statistics.h"
#include "platform/cp932.h"

namespace kvr {

namespace {

constexpr double kFullRate = 100;

LineKind lineKind(std::string_view line)
{
    if (line.empty())
        return LineKind::Empty;
    return line.front() == '?' ? LineKind::Question : LineKind::Plain;
}

// A line that is not a full question line decodes to nothing at all.
CQuestion decode(std::string_view line)
{
    CQuestion question;
    if (lineKind(line) == LineKind::Question)
        parseQuestionLine(question, line); // a faulty line keeps what was decoded before
    return question;
}

std::string joinFirst(const auto &texts, int count)
{
    std::string joined;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            joined += '/';
        joined += texts[static_cast<std::size_t>(i)];
    }
    return joined;
}

void appendNumber(std::string &text, std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

double shownRate(const BasisCounts &counts)
{
    return kFullRate * basisRate(counts).value();
}

// Empty texts come after the others whatever the direction.
bool textBefore(const std::string &a, const std::string &b, bool ascending)
{
    if (a.empty() != b.empty())
        return !a.empty();
    return ascending ? a < b : b < a;
}

template <typename Key> bool keyBefore(Key a, Key b, bool ascending)
{
    return ascending ? a < b : b < a;
}

bool rowBefore(const QuestionRow &a, const QuestionRow &b, QuestionColumn column, bool ascending)
{
    if (a.blank != b.blank)
        return !a.blank;
    if (a.blank)
        return false;
    switch (column) {
    case QuestionColumn::Question:
        return textBefore(a.questionKey, b.questionKey, ascending);
    case QuestionColumn::Answer:
        return textBefore(a.answerKey, b.answerKey, ascending);
    case QuestionColumn::Correct:
        return keyBefore(a.correctKey, b.correctKey, ascending);
    case QuestionColumn::Incorrect:
        return keyBefore(a.incorrectKey, b.incorrectKey, ascending);
    case QuestionColumn::Rate:
        break;
    }
    // Unanswered rows rank below every rate, 0 % included.
    return keyBefore(a.rated ? a.rateKey : -1.0, b.rated ? b.rateKey : -1.0, ascending);
}

} // namespace

std::vector<ColumnHeading> questionColumnHeadings()
{
    return { { cp932::text("問題"), 100 },
             { cp932::text("解答"), 70 },
             { cp932::text("正解"), 50 },
             { cp932::text("不正解"), 50 },
             { cp932::text("正解率"), 50 } };
}

std::string questionCellText(const CQuestion &question)
{
    std::string text = question.questionLines[0];
    if (question.questionCount() == 2)
        text += '/' + question.questionLines[1];
    // Every marker starts with "%", which is never the second byte of a character.
    if (text.find('%') != std::string::npos)
        expandPartOfSpeech(text);
    return text;
}

std::string answerCellText(const CQuestion &question)
{
    return joinFirst(question.answers, question.answerCount());
}

// "%d (%d%s%d)" and "%.3g%%", written with to_chars: thousands of rows are filled at once.
std::string countCellText(const TallySide &side)
{
    std::string text;
    if (side.adjust == 0) {
        appendNumber(text, side.raw);
        return text;
    }
    appendNumber(text, side.raw + side.adjust);
    text += " (";
    appendNumber(text, side.raw);
    if (side.adjust > 0)
        text += '+';
    appendNumber(text, side.adjust);
    text += ')';
    return text;
}

std::vector<int> questionColumnWidths(int listWidth, const std::vector<int> &textWidths)
{
    const std::vector<ColumnHeading> headings = questionColumnHeadings();
    std::vector<int> widths;
    int used = 0;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const int text = i < textWidths.size() ? textWidths[i] : 0;
        const bool counts = i >= static_cast<std::size_t>(QuestionColumn::Correct);
        widths.push_back(counts ? std::max(headings[i].width, text) : headings[i].width);
        used += widths.back();
    }
    const int spare = listWidth - used;
    if (spare > 0) {
        const auto question = static_cast<std::size_t>(QuestionColumn::Question);
        const auto answer = static_cast<std::size_t>(QuestionColumn::Answer);
        const int share =
            spare * headings[question].width / (headings[question].width + headings[answer].width);
        widths[question] += share;
        widths[answer] += spare - share;
    }
    return widths;
}

std::string rateCellText(const BasisCounts &counts)
{
    if (!basisRate(counts).rated())
        return "-";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, shownRate(counts),
                                      std::chars_format::general, 3);
    return std::string(buffer, result.ptr) + '%';
}

void refreshCountCells(QuestionRow &row, const CSectionLog *record, RateBasis basis)
{
    auto &cells = row.cells;
    const auto correct = static_cast<std::size_t>(QuestionColumn::Correct);
    const auto incorrect = static_cast<std::size_t>(QuestionColumn::Incorrect);
    const auto rate = static_cast<std::size_t>(QuestionColumn::Rate);
    if (row.blank) {
        cells[correct].clear();
        cells[incorrect].clear();
        cells[rate].clear();
        return;
    }
    const BasisCounts counts = record
        ? basisCounts(readTally(*record, static_cast<std::size_t>(row.position)), basis)
        : BasisCounts {};
    cells[correct] = countCellText(counts.correct);
    cells[incorrect] = countCellText(counts.incorrect);
    cells[rate] = rateCellText(counts);
    row.correctKey = counts.correct.value();
    row.incorrectKey = counts.incorrect.value();
    row.rated = basisRate(counts).rated();
    row.rateKey = row.rated ? shownRate(counts) : 0;
    row.rateColour = row.rated ? rateColour(row.rateKey / kFullRate) : kPaintBlack;
}

void refreshCountCells(std::vector<QuestionRow> &rows, const CSectionLog *record, RateBasis basis)
{
    for (QuestionRow &row : rows)
        refreshCountCells(row, record, basis);
}

std::vector<QuestionRow> buildQuestionRows(const CSection &section, CSectionLog *record,
                                           RateBasis basis)
{
    if (record && record->tallies().size() < section.lines.size())
        record->tallies().resize(section.lines.size());
    std::vector<QuestionRow> rows(section.lines.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QuestionRow &row = rows[i];
        const std::string &line = section.lines[i];
        row.position = static_cast<int>(i);
        row.kind = lineKind(line);
        const CQuestion question = decode(line);
        row.blank = holdsNoText(question);
        if (!row.blank) {
            // The keys keep the whole texts; a cell shows a screenful at most.
            row.cells[0] = cp932::cutForDisplay(questionCellText(question));
            row.cells[1] = cp932::cutForDisplay(answerCellText(question));
            row.questionKey = question.questionLines[0];
            row.answerKey = question.answers[0];
        }
        refreshCountCells(row, record, basis);
    }
    return rows;
}

void sortQuestionRows(std::vector<QuestionRow> &rows, QuestionColumn column, bool ascending,
                      bool hasRecord)
{
    const bool countColumn = column != QuestionColumn::Question && column != QuestionColumn::Answer;
    if (countColumn && !hasRecord)
        return;
    // Sorting indices moves a few bytes per step instead of whole rows.
    std::vector<std::uint32_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::uint32_t>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&rows, column, ascending](std::uint32_t a, std::uint32_t b) {
                         return rowBefore(rows[a], rows[b], column, ascending);
                     });
    std::vector<QuestionRow> sorted;
    sorted.reserve(rows.size());
    for (std::uint32_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

bool CColumnSortOrder::nextAscending(QuestionColumn column)
{
    bool &flag = m_ascending[static_cast<std::size_t>(column)];
    const bool ascending = flag;
    flag = !flag;
    return ascending;
}

CQuestion questionAt(const CSection &section, int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= section.lines.size())
        return {};
    return decode(section.lines[static_cast<std::size_t>(position)]);
}

bool holdsNoText(const CQuestion &q)
{
    auto empty = [](const auto &texts) {
        return std::all_of(texts.begin(), texts.end(),
                           [](const std::string &t) { return t.empty(); });
    };
    return empty(q.questionLines) && empty(q.answers) && empty(q.hints) && q.wavFile.empty();
}

std::vector<CQuestion> questionsAt(const CSection &section, const std::vector<int> &positions)
{
    std::vector<CQuestion> questions;
    for (int position : positions) {
        CQuestion question = questionAt(section, position);
        if (!holdsNoText(question))
            questions.push_back(std::move(question));
    }
    return questions;
}

} // namespace kvr
