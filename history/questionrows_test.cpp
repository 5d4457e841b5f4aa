#include <gtest/gtest.h>

#include "history/questionrows.h"
#include "platform/cp932.h"

namespace kvr {
namespace {

using cp932::text;

std::string line(const std::string &q1, const std::string &a1, const std::string &q2 = {},
                 const std::string &a2 = {})
{
    CQuestion question;
    question.questionLines = { q1, q2 };
    question.answers[0] = a1;
    question.answers[1] = a2;
    return formatQuestionLine(question);
}

CSection sectionOfLines(std::vector<std::string> lines)
{
    CSection section;
    section.lines = std::move(lines);
    return section;
}

QuestionTally tally(std::int32_t firstCorrect, std::int32_t firstIncorrect,
                    std::int32_t correctAdjust = 0, std::int32_t incorrectAdjust = 0)
{
    QuestionTally t;
    t.values[QuestionTally::FirstCorrect] = firstCorrect;
    t.values[QuestionTally::FirstIncorrect] = firstIncorrect;
    t.values[QuestionTally::FirstCorrectAdjust] = correctAdjust;
    t.values[QuestionTally::FirstIncorrectAdjust] = incorrectAdjust;
    return t;
}

std::vector<int> positionsOf(const std::vector<QuestionRow> &rows)
{
    std::vector<int> positions;
    for (const QuestionRow &row : rows)
        positions.push_back(row.position);
    return positions;
}

TEST(QuestionRows, QuestionAndAnswerCellsJoinTheNonEmptyTexts)
{
    const struct
    {
        std::string q1, q2, a1, a2;
        std::string question, answer;
    } rows[] = {
        { "run%ve", "", text("走る"), "", "run" + text("【動詞】"), text("走る") },
        { "a", "b", "x", "y", "a/b", "x/y" },
        { "a", "", "x", "", "a", "x" },
    };
    for (const auto &row : rows) {
        CQuestion question;
        question.questionLines = { row.q1, row.q2 };
        question.answers[0] = row.a1;
        question.answers[1] = row.a2;
        EXPECT_EQ(questionCellText(question), row.question);
        EXPECT_EQ(answerCellText(question), row.answer);
    }
}

TEST(QuestionRows, CountCellsShowTheCorrectionBesideTheRawCount)
{
    const struct
    {
        TallySide side;
        const char *text;
    } rows[] = {
        { { 5, 0 }, "5" },
        { { 3, 10 }, "13 (3+10)" },
        { { 3, -10 }, "-7 (3-10)" },
        { { 0, -3 }, "-3 (0-3)" },
        { { 4294967294LL, 1 }, "4294967295 (4294967294+1)" }, // sums of the Both basis
    };
    for (const auto &row : rows)
        EXPECT_EQ(countCellText(row.side), row.text);
}

TEST(QuestionRows, RateCellHasThreeSignificantDigitsLimitedToZeroToHundred)
{
    const struct
    {
        BasisCounts counts;
        const char *text;
    } rows[] = {
        { { { 2, 0 }, { 1, 0 } }, "66.7%" }, { { { 1, 0 }, { 0, 0 } }, "100%" },
        { { { 1, 0 }, { 7, 0 } }, "12.5%" }, { { { 1, 0 }, { 11, 0 } }, "8.33%" },
        { { { 0, 0 }, { 3, 0 } }, "0%" },    { { { 0, 0 }, { 0, 0 } }, "-" },
        { { { 0, -3 }, { 5, 0 } }, "0%" }, // -3 of 2: limited at 0
        { { { 0, -3 }, { 2, 0 } }, "0%" }, // -3 right of -1 in all: still 0, not 100
        { { { 5, 0 }, { 0, -3 } }, "100%" }, // 5 of 2: limited at 100
        { { { 3, -3 }, { 2, -2 } }, "-" }, // corrections cancel every answer
    };
    for (const auto &row : rows)
        EXPECT_EQ(rateCellText(row.counts), row.text);
}

TEST(QuestionRows, ColumnsFillTheListWithTheHeadingWidthsAsMinimums)
{
    const struct
    {
        int listWidth;
        std::vector<int> textWidths;
        std::vector<int> widths;
    } rows[] = {
        // Narrow texts in a narrow list: the heading widths.
        { 300, { 40, 40, 20, 20, 30 }, { 100, 70, 50, 50, 50 } },
        // "13 (3+10)" needs 62: its column grows, the text columns take the rest 100 : 70.
        { 500, { 300, 200, 62, 40, 44 }, { 198, 140, 62, 50, 50 } },
        { 370, { 0, 0, 0, 0, 0 }, { 129, 91, 50, 50, 50 } },
        // Too narrow even for the minimums: they stay (the list scrolls).
        { 120, { 0, 0, 80, 0, 0 }, { 100, 70, 80, 50, 50 } },
    };
    for (const auto &row : rows)
        EXPECT_EQ(questionColumnWidths(row.listWidth, row.textWidths), row.widths) << row.listWidth;
}

TEST(QuestionRows, LinesWithoutAQuestionStayBlankAndWithoutARecordCountsAreZero)
{
    const CSection section =
        sectionOfLines({ line("q0", "a0"), "", "plain text", "?", line("", "a4", "", "b4") });
    const auto rows = buildQuestionRows(section, nullptr, RateBasis::Both);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].cells, (std::array<std::string, 5> { "q0", "a0", "0", "0", "-" }));
    const LineKind kinds[] = { LineKind::Question, LineKind::Empty, LineKind::Plain,
                               LineKind::Question, LineKind::Question };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].position, static_cast<int>(i));
        EXPECT_EQ(rows[i].kind, kinds[i]);
        EXPECT_EQ(rows[i].blank, i >= 1 && i <= 3) << i;
    }
    EXPECT_EQ(rows[2].cells, (std::array<std::string, 5> {}));
    // The popup opens over a plain line, not over an empty one.
    EXPECT_FALSE(questionPopupOpens(rows[1]));
    EXPECT_TRUE(questionPopupOpens(rows[2]));
    EXPECT_EQ(rows[4].cells, (std::array<std::string, 5> { "", "a4/b4", "0", "0", "-" }));
}

TEST(QuestionRows, HugeTextsAreCutForTheCellsButKeptWholeForSorting)
{
    const std::string huge(10'000'000, 'x');
    const CSection section = sectionOfLines({ line(huge, huge) });
    const auto rows = buildQuestionRows(section, nullptr, RateBasis::Both);
    ASSERT_EQ(rows.size(), 1u);
    for (const std::string &cell : { rows[0].cells[0], rows[0].cells[1] }) {
        EXPECT_LE(cell.size(), cp932::kDisplayTextBytes);
        EXPECT_EQ(cell, cp932::cutForDisplay(huge));
    }
    EXPECT_EQ(rows[0].questionKey.size(), huge.size());
    EXPECT_EQ(rows[0].answerKey.size(), huge.size());
    EXPECT_GT(section.lines[0].size(), huge.size()); // the line itself is untouched
}

TEST(QuestionRows, FillingExtendsTheTalliesAndFollowsTheBasis)
{
    const CSection section =
        sectionOfLines({ line("q0", "a0"), line("q1", "a1"), line("q2", "a2") });
    CSectionLog record; // never drilled: no tallies yet
    auto rows = buildQuestionRows(section, &record, RateBasis::FirstAnswers);
    EXPECT_EQ(record.tallies().size(), 3u);
    EXPECT_EQ(rows[2].cells[2], "0");
    EXPECT_EQ(rows[2].cells[4], "-");

    record.tallies()[0] = tally(0, 5, -3, 0);
    record.tallies()[0].values[QuestionTally::RetryCorrect] = 4;
    refreshCountCells(rows, &record, RateBasis::FirstAnswers);
    EXPECT_EQ(rows[0].cells[2], "-3 (0-3)");
    EXPECT_EQ(rows[0].cells[3], "5");
    EXPECT_EQ(rows[0].cells[4], "0%");
    EXPECT_EQ(rows[0].correctKey, -3);

    EXPECT_EQ(rows[0].rateColour, kRateRed);
    EXPECT_EQ(rows[1].rateColour, kPaintBlack); // "-"

    refreshCountCells(rows, &record, RateBasis::Retries);
    EXPECT_EQ(rows[0].cells[2], "4");
    EXPECT_EQ(rows[0].cells[4], "100%");
    EXPECT_EQ(rows[0].rateColour, kRateBlue);
    refreshCountCells(rows, &record, RateBasis::Both);
    EXPECT_EQ(rows[0].cells[2], "1 (4-3)");
    EXPECT_EQ(rows[0].cells[4], "16.7%");
    EXPECT_EQ(rows[0].cells[0], "q0"); // question texts are kept
}

// Rows: 0 "b" 1/1, 1 blank, 2 "" (answer only) 0/0, 3 "a" 0/2, 4 "c" 3/0, 5 "é" (CP932) 1/3.
class QuestionSort : public ::testing::Test
{
protected:
    void SetUp() override
    {
        section = sectionOfLines({ line("b", "y"), "", line("", "w", "", "v"), line("a", "z"),
                                   line("c", "x"), line(text("あ"), "") });
        record.tallies() = { tally(1, 1), {}, {}, tally(0, 2), tally(3, 0), tally(1, 3) };
        rows = buildQuestionRows(section, &record, RateBasis::FirstAnswers);
    }
    std::vector<int> sorted(QuestionColumn column, bool ascending, bool hasRecord = true)
    {
        sortQuestionRows(rows, column, ascending, hasRecord);
        return positionsOf(rows);
    }
    CSection section;
    CSectionLog record;
    std::vector<QuestionRow> rows;
};

TEST_F(QuestionSort, EveryColumnSortsBothWaysWithBlankRowsLast)
{
    using C = QuestionColumn;
    const struct
    {
        C column;
        bool ascending;
        std::vector<int> order;
    } cases[] = {
        // Byte-wise: ASCII before double-byte; the empty question after all others.
        { C::Question, true, { 3, 0, 4, 5, 2, 1 } },
        { C::Question, false, { 5, 4, 0, 3, 2, 1 } },
        { C::Answer, true, { 2, 4, 0, 3, 5, 1 } },
        { C::Answer, false, { 3, 0, 4, 2, 5, 1 } },
        { C::Correct, true, { 2, 3, 0, 5, 4, 1 } },
        { C::Correct, false, { 4, 0, 5, 2, 3, 1 } },
        { C::Incorrect, true, { 2, 4, 0, 3, 5, 1 } },
        { C::Incorrect, false, { 5, 3, 0, 2, 4, 1 } },
        // Unanswered first ascending, last descending; 0 % is still a rate.
        { C::Rate, true, { 2, 3, 5, 0, 4, 1 } },
        { C::Rate, false, { 4, 0, 5, 3, 2, 1 } },
    };
    for (const auto &c : cases) {
        SetUp();
        EXPECT_EQ(sorted(c.column, c.ascending), c.order)
            << static_cast<int>(c.column) << (c.ascending ? " up" : " down");
    }
}

TEST_F(QuestionSort, WithoutARecordTheCountColumnsKeepTheOrder)
{
    sorted(QuestionColumn::Question, false);
    const std::vector<int> before = positionsOf(rows);
    for (auto column : { QuestionColumn::Correct, QuestionColumn::Incorrect, QuestionColumn::Rate })
        EXPECT_EQ(sorted(column, true, false), before);
}

TEST_F(QuestionSort, EqualKeysKeepTheirPreviousOrder)
{
    record.tallies() = { tally(1, 1), {}, {}, tally(1, 1), tally(1, 1), tally(1, 1) };
    refreshCountCells(rows, &record, RateBasis::FirstAnswers);
    EXPECT_EQ(sorted(QuestionColumn::Rate, true), (std::vector<int> { 2, 0, 3, 4, 5, 1 }));
    EXPECT_EQ(sorted(QuestionColumn::Rate, false), (std::vector<int> { 0, 3, 4, 5, 2, 1 }));
}

TEST(QuestionSortOrder, EachColumnStartsAscendingAndFlipsOnEveryClick)
{
    CColumnSortOrder order;
    EXPECT_TRUE(order.nextAscending(QuestionColumn::Rate));
    EXPECT_FALSE(order.nextAscending(QuestionColumn::Rate));
    EXPECT_TRUE(order.nextAscending(QuestionColumn::Question)); // its own flag
    EXPECT_TRUE(order.nextAscending(QuestionColumn::Rate));
}

// How fast this runs is measured by bench/history_rows_bench; here only that it is done.
TEST(QuestionRows, FiveThousandRowsFillAndSort)
{
    CSection section;
    CSectionLog record;
    for (int i = 0; i < 5000; ++i) {
        section.lines.push_back(
            line((i % 3 == 0 ? "word%no " : "word ") + std::to_string(i * 7919 % 5000),
                 text("答え") + std::to_string(i)));
        record.tallies().push_back(tally(i % 13, i % 7, i % 3 - 1, 0));
    }
    for (int column = 0; column < kQuestionColumnCount; ++column) {
        auto rows = buildQuestionRows(section, &record, RateBasis::Both);
        sortQuestionRows(rows, static_cast<QuestionColumn>(column), column % 2 == 0, true);
        EXPECT_EQ(rows.size(), 5000u) << column;
    }
}

TEST(QuestionRows, QuestionsToPronounceSkipLinesWithoutText)
{
    const CSection section = sectionOfLines({ line("q0", "a0"), "plain", line("q2", "a2") });
    const auto questions = questionsAt(section, { 2, 1, 0, 9, -1 });
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].answers[0], "a2");
    EXPECT_EQ(questions[1].answers[0], "a0");
}

} // namespace
} // namespace kvr
