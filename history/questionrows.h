#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/question.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "history/pagepaint.h"
#include "history/ratebasis.h"

// The per-question page "問題毎履歴": one list row per line of the collection, the texts of
// its five columns and the column sort. Every text is CP932.
namespace kvr {

enum class QuestionColumn : int { Question = 0, Answer, Correct, Incorrect, Rate };
constexpr int kQuestionColumnCount = 5;

// A column heading and its width in pixels: "問題" 100, "解答" 70, "正解" 50, "不正解" 50,
// "正解率" 50.
struct ColumnHeading
{
    std::string title;
    int width = 0;
    bool operator==(const ColumnHeading &) const = default;
};
std::vector<ColumnHeading> questionColumnHeadings();

// The widths the columns take in a list listWidth wide, given the width each column's
// widest text (heading included) needs: every column at least its heading's width above;
// the count and rate columns as wide as their texts; what is left of the list goes to the
// question and answer columns, in the ratio of their heading widths (100 : 70).
std::vector<int> questionColumnWidths(int listWidth, const std::vector<int> &textWidths);

// What kind of line stands behind a row.
enum class LineKind {
    Empty, // the line holds nothing
    Plain, // not a full question line: never a question, shows nothing
    Question, // a line beginning with "?"
};

struct QuestionRow
{
    int position = 0; // the line's index in the collection (the row's item data)
    LineKind kind = LineKind::Empty;
    // The line decodes to no text at all (no question line, answer, hint or WAV file): the
    // row shows nothing, sorts after every other row and is never drilled.
    bool blank = true;
    // The texts shown; question and answer cut to cp932::kDisplayTextBytes (cutForDisplay).
    std::array<std::string, kQuestionColumnCount> cells;

    // Sort keys, fixed when the row is built or its counts refreshed.
    std::string questionKey; // question line 1 as stored
    std::string answerKey; // answer 1
    std::int64_t correctKey = 0; // adjusted correct count C of the basis
    std::int64_t incorrectKey = 0; // adjusted incorrect count I
    bool rated = false; // C + I != 0
    double rateKey = 0; // the rate as shown: 100 × C / (C + I) limited to 0 … 100
    // The colour of the "正解率" text: the rate colour (rateColour), black for "-".
    Rgb rateColour = kPaintBlack;

    bool isQuestion() const { return kind == LineKind::Question; }
    bool operator==(const QuestionRow &) const = default;
};

// "問題": question line 1, with "/" and line 2 when both lines are non-empty; "解答": the
// first k answers joined by "/", k the number of non-empty answers. Part-of-speech markers
// are expanded in the question text.
std::string questionCellText(const CQuestion &question);
std::string answerCellText(const CQuestion &question);

// A count column: "%d" of the count without a correction, else "%d (%d%s%d)" with
// (count + adjust, count, "+" for a positive adjust, adjust): 13 (3+10), -7 (3-10).
std::string countCellText(const TallySide &side);

// "正解率": "-" when C + I is 0, else 100 × C / (C + I) limited to 0 … 100 with three
// significant digits ("%.3g") and "%": 66.7%, 100%, 12.5%, 8.33%.
std::string rateCellText(const BasisCounts &counts);

// The rows of a collection in line order. With a record (the learner's for the path and
// LogMode) the count columns follow its tallies under basis, and its tally vector is
// first extended with zero tallies to the collection's length; without one they read
// "0", "0", "-".
std::vector<QuestionRow> buildQuestionRows(const CSection &section, CSectionLog *record,
                                           RateBasis basis);

// The count and rate columns (texts and keys) again, after a tally change or a change of
// basis; the question texts are kept. record may be nullptr.
void refreshCountCells(QuestionRow &row, const CSectionLog *record, RateBasis basis);
void refreshCountCells(std::vector<QuestionRow> &rows, const CSectionLog *record, RateBasis basis);

// Sorts the rows by a column (stable; O(n log n) on the precomputed keys):
// - blank rows go to the end in both directions;
// - 問題 / 解答: byte-wise on question line 1 / answer 1, an empty text after every
//   non-empty one in both directions;
// - 正解 / 不正解: the adjusted count C / I;
// - 正解率: the rate as shown; rows without any answer count as the lowest rate, so they
//   come first ascending and last descending;
// - without a record the count and rate columns keep the order.
void sortQuestionRows(std::vector<QuestionRow> &rows, QuestionColumn column, bool ascending,
                      bool hasRecord);

// The direction flag of each column: ascending at first, flipped after each sort. Lives
// as long as the page (the whole run of the program).
class CColumnSortOrder
{
public:
    // The direction for this click on the column; the next click goes the other way.
    bool nextAscending(QuestionColumn column);

private:
    std::array<bool, kQuestionColumnCount> m_ascending { true, true, true, true, true };
};

// The list's popup opens for a right-click only when the first selected row's line is not
// empty.
inline bool questionPopupOpens(const QuestionRow &firstSelected)
{
    return firstSelected.kind != LineKind::Empty;
}

// The question of a line: decoded for a full question line (what decodes before a fault),
// empty for any other line and for a position outside the collection.
CQuestion questionAt(const CSection &section, int position);
// No question line, answer, hint or WAV file.
bool holdsNoText(const CQuestion &question);

// The questions of the given lines, in that order, for pronouncing them; lines that decode
// to no text at all are left out.
std::vector<CQuestion> questionsAt(const CSection &section, const std::vector<int> &positions);

} // namespace kvr
