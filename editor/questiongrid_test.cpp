#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "db/testsupport.h"
#include "editor/questiongrid.h"

namespace kvr {
namespace {

using Lines = std::vector<std::string>;

CQuestionGrid gridOf(const Lines &lines)
{
    CQuestionGrid grid;
    grid.load(lines);
    return grid;
}

TEST(QuestionGrid, LoadsWithExactlyOneEmptyRowAtTheEndSoSavingTwiceAddsNoLine)
{
    struct Row
    {
        Lines lines;
        Lines saved;
    };
    const Row rows[] = {
        { {}, { "" } },
        { { "a" }, { "a", "" } },
        { { "a", "", "" }, { "a", "" } },
        { { "", "a", "", "b", "" }, { "", "a", "", "b", "" } },
        { { "?x,,,,,q,,," }, { "?x,,,,,q,,,", "" } },
    };
    for (const Row &row : rows) {
        CQuestionGrid grid = gridOf(row.lines);
        EXPECT_EQ(grid.lines(), row.saved);
        EXPECT_EQ(gridOf(grid.lines()).lines(), row.saved);
        EXPECT_EQ(grid.currentRow(), 0u);
    }
}

TEST(QuestionGrid, TypingIntoTheLastRowAppendsANewEmptyRow)
{
    CQuestionGrid grid = gridOf({ "a" });
    grid.selectRow(1);
    const RowEdit edit = grid.editField(EditField::Answer, "b");
    EXPECT_TRUE(edit.changed);
    EXPECT_FALSE(edit.emptied);
    EXPECT_EQ(grid.lines(), (Lines { "a", "b", "" }));
    EXPECT_EQ(grid.currentRow(), 1u);

    // Emptying it again leaves a middle empty row to be removed by the caller.
    const RowEdit emptied = grid.editField(EditField::Answer, "");
    EXPECT_TRUE(emptied.emptied);
    EXPECT_EQ(grid.lines(), (Lines { "a", "", "" }));
    // The same text again is no change.
    EXPECT_FALSE(grid.editField(EditField::Answer, "").changed);
}

TEST(QuestionGrid, EditingTheEmptyLastRowToNothingIsNotAnEmptiedRow)
{
    CQuestionGrid grid = gridOf({});
    grid.editField(EditField::Question, "q");
    grid.selectRow(0);
    EXPECT_TRUE(grid.editField(EditField::Question, "").emptied);
    CQuestionGrid single = gridOf({});
    EXPECT_FALSE(single.editField(EditField::Hint, "").changed);
    EXPECT_EQ(single.lines(), (Lines { "" }));
}

TEST(QuestionGrid, PartOfSpeechButtonsRewriteTheTagOfTheCurrentRow)
{
    CQuestionGrid grid = gridOf({ sj("?run,,,,,%Ve走る,,,") });
    EXPECT_EQ(grid.markedPart(), PartOfSpeech::Verb);
    EXPECT_EQ(grid.fields().question, sj("走る"));
    grid.pressPartOfSpeech(PartOfSpeech::Noun);
    EXPECT_EQ(grid.rows()[0].questionLines[0], sj("%no走る"));
    EXPECT_EQ(grid.markedPart(), PartOfSpeech::Noun);
    grid.pressPartOfSpeech(PartOfSpeech::Noun);
    EXPECT_EQ(grid.rows()[0].questionLines[0], sj("走る"));
    EXPECT_FALSE(grid.markedPart());

    // Pressing one on the empty last row makes it a question.
    grid.selectRow(1);
    grid.pressPartOfSpeech(PartOfSpeech::Other);
    EXPECT_EQ(grid.rowCount(), 3u);
    EXPECT_EQ(grid.rows()[1].questionLines[0], "%ot");
}

TEST(QuestionGrid, RowsAndAnswerNumbersMoveWithinTheirRanges)
{
    CQuestionGrid grid = gridOf({ "?a1,a2,,,,q,,,", "b" });
    EXPECT_FALSE(grid.selectPrevious());
    EXPECT_TRUE(grid.moveAnswerNumber(+1));
    EXPECT_EQ(grid.fields().answer, "a2");
    for (int i = 0; i < 6; ++i)
        grid.moveAnswerNumber(+1);
    EXPECT_EQ(grid.answerNumber(), 5);
    EXPECT_FALSE(grid.moveAnswerNumber(+1));
    const int revision = grid.fieldsRevision();
    EXPECT_TRUE(grid.selectNext());
    EXPECT_GT(grid.fieldsRevision(), revision);
    EXPECT_EQ(grid.answerNumber(), 1);
    EXPECT_EQ(grid.fields().answer, "b");
    EXPECT_TRUE(grid.selectNext());
    EXPECT_FALSE(grid.selectNext());
    EXPECT_EQ(grid.currentRow(), 2u);
    EXPECT_FALSE(grid.setAnswerNumber(0));
    EXPECT_FALSE(grid.setAnswerNumber(6));
}

TEST(QuestionGrid, RowChangesKeepTheCurrentPositionAndOneEmptyLastRow)
{
    CQuestionGrid grid = gridOf({ "a", "b", "c" });
    grid.selectRow(1);
    grid.insertRow(1);
    EXPECT_EQ(grid.lines(), (Lines { "a", "", "b", "c", "" }));
    EXPECT_EQ(grid.currentRow(), 1u);
    EXPECT_EQ(grid.fields().answer, "");
    grid.removeRow(1);
    grid.removeRow(1);
    EXPECT_EQ(grid.fields().answer, "c");
    grid.selectRow(3);
    grid.removeRow(3); // the empty row: another one takes its place
    EXPECT_EQ(grid.lines(), (Lines { "a", "c", "" }));
    EXPECT_EQ(grid.currentRow(), 2u);
    grid.reorder({ 1, 0, 2 });
    EXPECT_EQ(grid.lines(), (Lines { "c", "a", "" }));
    grid.clear();
    EXPECT_FALSE(grid.currentRow());
    EXPECT_FALSE(grid.editField(EditField::Answer, "x").changed);
}

} // namespace
} // namespace kvr
