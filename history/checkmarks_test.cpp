#include <gtest/gtest.h>

#include "history/checkmarks.h"

namespace kvr {
namespace {

std::string line(const std::string &q1, const std::string &a1)
{
    CQuestion question;
    question.questionLines[0] = q1;
    question.answers[0] = a1;
    return formatQuestionLine(question);
}

// Lines: 0 q, 1 empty, 2 q, 3 plain, 4 q.
std::vector<QuestionRow> sampleRows()
{
    CSection section;
    section.lines = { line("q0", "a0"), "", line("q2", "a2"), "plain", line("q4", "a4") };
    return buildQuestionRows(section, nullptr, RateBasis::Both);
}

std::vector<bool> marksOf(const CCheckMarks &marks, int count)
{
    std::vector<bool> result;
    for (int p = 0; p < count; ++p)
        result.push_back(marks.isChecked(p));
    return result;
}

TEST(CheckMarks, CommandsReplaceInvertOrClearTheMarks)
{
    const auto rows = sampleRows();
    CCheckMarks marks;
    marks.reset(rows);
    marks.checkOnly({ 4, 0, 9, -1 }); // positions without a row are ignored
    EXPECT_EQ(marksOf(marks, 5), (std::vector<bool> { true, false, false, false, true }));
    marks.checkOnly({ 2 }); // earlier marks go
    EXPECT_EQ(marksOf(marks, 5), (std::vector<bool> { false, false, true, false, false }));
    marks.invert(); // blank rows too
    EXPECT_EQ(marksOf(marks, 5), (std::vector<bool> { true, true, false, true, true }));
    EXPECT_EQ(marks.checkedQuestionCount(), 2); // only full question lines count
    marks.clear();
    EXPECT_EQ(marks.checkedQuestionCount(), 0);
    EXPECT_FALSE(marks.isChecked(99));
}

TEST(CheckMarks, AUserTickSpreadsOverTheSelectionOnlyWhenTheRowIsPartOfIt)
{
    const struct
    {
        int row;
        std::vector<int> selected;
        std::vector<bool> expected;
    } cases[] = {
        { 0, { 0, 2, 4 }, { true, false, true, false, true } },
        { 0, { 2, 4 }, { true, false, false, false, false } }, // row outside the selection
        { 2, { 2 }, { false, false, true, false, false } }, // a single selected row
        { 2, {}, { false, false, true, false, false } },
    };
    for (const auto &c : cases) {
        CCheckMarks marks;
        marks.reset(sampleRows());
        marks.setByUser(c.row, true, c.selected);
        EXPECT_EQ(marksOf(marks, 5), c.expected) << c.row << " " << c.selected.size();
    }
    CCheckMarks marks;
    marks.reset(sampleRows());
    marks.invert();
    marks.setByUser(4, false, { 0, 4 });
    EXPECT_EQ(marksOf(marks, 5), (std::vector<bool> { false, true, true, true, false }));
}

TEST(CheckMarks, PositionsFollowTheListOrderAndTheDrillSkipsBlankRows)
{
    auto rows = sampleRows();
    sortQuestionRows(rows, QuestionColumn::Question, false, false); // q4, q2, q0, blanks
    CCheckMarks marks;
    marks.reset(rows);
    marks.invert();
    EXPECT_EQ(marks.checkedPositions(rows), (std::vector<int> { 4, 2, 0, 1, 3 }));
    EXPECT_EQ(marks.drillSelection(rows), (std::vector<int> { 4, 2, 0 }));
    marks.clear();
    EXPECT_TRUE(marks.drillSelection(rows).empty());
}

TEST(CheckMarks, CountFieldIsWrittenOnlyWhenTheQuestionCountChanges)
{
    CCheckMarks marks;
    marks.reset(sampleRows());
    marks.clear();
    EXPECT_EQ(marks.takeCountUpdate(), std::nullopt); // the field keeps its initial 20
    marks.checkOnly({ 1, 3 }); // blank rows only: still no question ticked
    EXPECT_EQ(marks.takeCountUpdate(), std::nullopt);
    marks.checkOnly({ 0, 2 });
    EXPECT_EQ(marks.takeCountUpdate(), 2);
    marks.checkOnly({ 2, 4 });
    EXPECT_EQ(marks.takeCountUpdate(), std::nullopt);
    marks.clear();
    EXPECT_EQ(marks.takeCountUpdate(), 0);
    marks.checkOnly({ 4 });
    marks.takeCountUpdate();
    marks.reset(sampleRows()); // a refill clears the marks, and the field follows
    EXPECT_EQ(marks.takeCountUpdate(), 0);
}

TEST(CheckMarks, SelectionCountsDefaultToTwenty)
{
    const struct
    {
        int field, weakest, random;
    } rows[] = { { 0, 20, 20 }, { 5, 5, 5 }, { -3, -3, 20 }, { 200, 200, 200 } };
    for (const auto &row : rows) {
        EXPECT_EQ(weakestCheckCount(row.field), row.weakest) << row.field;
        EXPECT_EQ(randomCheckCount(row.field), row.random) << row.field;
    }
    EXPECT_EQ(kSelectionCountInitial, 20);
    EXPECT_EQ(selectionTotalText(37), "/ 37");
}

} // namespace
} // namespace kvr
