#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "editor/testsupport_editor.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::RowFiles;
using Strings = std::vector<std::string>;

const Strings kFive = { "a", "b", "c", "d", "e" };

TEST(RowCommands, InsertAtThreeGivesEveryLearnerAZeroTallyThereAndMovesTheRestUp)
{
    RowFiles files(kFive);
    files.writeTallies("S", { 1, 2, 3, 4, 5 }, 2);
    files.edit.grid().selectRow(3);
    EXPECT_TRUE(insertRowCommand(files.rows));
    EXPECT_EQ(files.tallyMarks("S"), Strings(4, "1,2,3,0,4,5"));
    EXPECT_EQ(files.savedLines(), (Strings { "a", "b", "c", "", "d", "e", "" }));
    EXPECT_EQ(files.edit.grid().currentRow(), 3u);
    EXPECT_FALSE(files.edit.modified());
    EXPECT_TRUE(files.prompter.asked.empty());
}

TEST(RowCommands, DeleteAsksForAQuestionRowOnlyAndNeverTouchesTheLastRow)
{
    struct Row
    {
        const char *what;
        std::size_t row;
        std::vector<Reply> replies;
        Strings lines; // saved afterwards
        std::string marks;
        std::size_t questions;
    };
    const Strings withEmpty = { "a", "", "c" };
    const Row rows[] = {
        { "question, OK", 0, { Reply::Ok }, { "", "c", "" }, "0,3", 1 },
        { "question, cancel", 0, { Reply::Cancel }, withEmpty, "1,0,3", 1 },
        { "empty row, no question", 1, {}, { "a", "c", "" }, "1,3", 0 },
        { "last row: nothing at all", 3, {}, withEmpty, "1,0,3", 0 },
    };
    for (const Row &row : rows) {
        RowFiles files(withEmpty);
        files.writeTallies("S", { 1, 0, 3 });
        files.startDrill("S"); // even a drill on it makes F4 on the last row no refusal
        if (row.row != 3)
            files.drill.close();
        files.prompter.replies = { row.replies.begin(), row.replies.end() };
        files.edit.grid().selectRow(row.row);
        deleteRowCommand(files.rows);
        EXPECT_EQ(files.prompter.asked.size(), row.questions) << row.what;
        if (row.questions) {
            EXPECT_EQ(files.prompter.asked[0].text, sj("この行を削除してもよろしいですか？"));
            EXPECT_EQ(files.prompter.asked[0].caption, sj("削除確認"));
            EXPECT_EQ(files.prompter.asked[0].buttons, Buttons::OkCancel);
        }
        EXPECT_EQ(files.savedLines(), row.lines) << row.what;
        EXPECT_EQ(files.tallyMarks("S"), Strings(2, row.marks)) << row.what;
    }
}

TEST(RowCommands, ADrillOnThisCollectionRefusesAndOneOnAnotherDoesNot)
{
    struct Row
    {
        const char *what;
        bool (*command)(RowCommandContext &);
        const char *refusal;
    };
    const Row rows[] = {
        { "insert", insertRowCommand, "現在この問題集を回答中なので、挿入できません。" },
        { "delete", deleteRowCommand, "現在この問題集を回答中なので、削除できません。" },
        { "cut", cutRowCommand, "現在この問題集を回答中なので、貼り付けできません。" },
        { "paste", pasteRowCommand, "現在この問題集を回答中なので、貼り付けできません。" },
    };
    for (const Row &row : rows) {
        RowFiles files({ "a", "b" }, "S,T");
        files.writeTallies("S", { 1, 2 });
        files.clipboard.content = "x";
        files.prompter.replies = { Reply::Ok };
        files.startDrill("S");
        EXPECT_FALSE(row.command(files.rows)) << row.what;
        EXPECT_EQ(files.prompter.texts(), Strings { sj(row.refusal) }) << row.what;
        EXPECT_EQ(files.tallyMarks("S"), Strings(2, "1,2")) << row.what;
        EXPECT_EQ(files.savedLines(), (Strings { "a", "b" })) << row.what;

        files.prompter.asked.clear();
        files.store.writeString("Options", "LastSection", "T");
        EXPECT_TRUE(row.command(files.rows)) << row.what;
        EXPECT_NE(files.tallyMarks("S"), Strings(2, "1,2")) << row.what;
    }
}

TEST(RowCommands, TheMarkerIsHeldForTheCommandOnly)
{
    RowFiles files({ "a" });
    EXPECT_TRUE(insertRowCommand(files.rows));
    CNamedMutex after;
    EXPECT_TRUE(after.acquire(files.rows.markerName)); // released again
}

TEST(RowCommands, CopyCutAndPasteMoveOneQuestionLineThroughTheClipboard)
{
    RowFiles files({ "?a,b,,,,q,,,", "c" });
    files.writeTallies("S", { 1, 2 });
    copyRowCommand(files.rows);
    EXPECT_EQ(files.clipboard.content, "?a,b,,,,q,,,");
    EXPECT_EQ(files.tallyMarks("S"), Strings(2, "1,2"));

    EXPECT_TRUE(cutRowCommand(files.rows));
    EXPECT_EQ(files.savedLines(), (Strings { "c", "" }));
    EXPECT_EQ(files.tallyMarks("S"), Strings(2, "2"));

    files.edit.grid().selectRow(1);
    files.clipboard.content = "?a,b,,,,q,,,\r\n";
    EXPECT_TRUE(pasteRowCommand(files.rows));
    EXPECT_EQ(files.savedLines(), (Strings { "c", "?a,b,,,,q,,,", "" }));
    EXPECT_EQ(files.tallyMarks("S"), Strings(2, "2,0"));

    // The empty last row: copy and cut put nothing on the clipboard and remove nothing.
    files.edit.grid().selectRow(2);
    files.clipboard.content = "kept";
    EXPECT_FALSE(cutRowCommand(files.rows));
    EXPECT_EQ(files.clipboard.content, "kept");
    EXPECT_EQ(files.edit.grid().rowCount(), 3u);
}

TEST(RowCommands, PasteRefusesUnmappableTextAndIgnoresAnEmptyClipboard)
{
    RowFiles files({ "a" });
    EXPECT_FALSE(pasteRowCommand(files.rows));
    files.clipboard.content = "\r\n\n\t\t\r\n";
    EXPECT_FALSE(pasteRowCommand(files.rows));
    EXPECT_TRUE(files.prompter.asked.empty());
    files.clipboard.unmappable = true;
    EXPECT_FALSE(pasteRowCommand(files.rows));
    ASSERT_EQ(files.prompter.asked.size(), 1u);
    EXPECT_NE(files.prompter.asked[0].text.find(sj("保存できない文字")), std::string::npos);
    EXPECT_EQ(files.edit.grid().rowCount(), 2u);
}

TEST(RowCommands, PasteInsertsEveryRowAndShiftsTheTalliesByTheirNumber)
{
    RowFiles files({ "a", "b" });
    files.writeTallies("S", { 1, 2 });
    files.edit.grid().selectRow(1);
    // A range of two rows copied from a spreadsheet.
    files.clipboard.content = "apple\t\t\t\t\tringo\r\npear\tpears\t\t\t\tnashi\r\n";
    EXPECT_TRUE(pasteRowCommand(files.rows));
    EXPECT_EQ(files.savedLines(),
              (Strings { "a", "?apple,,,,,ringo,,,", "?pear,pears,,,,nashi,,,", "b", "" }));
    EXPECT_EQ(files.tallyMarks("S"), Strings(2, "1,0,0,2"));
    EXPECT_EQ(files.edit.grid().currentRow(), 1u);

    // Lines without tabs: one row each.
    files.clipboard.content = "x\ny\n";
    EXPECT_TRUE(pasteRowCommand(files.rows));
    EXPECT_EQ(
        files.savedLines(),
        (Strings { "a", "x", "y", "?apple,,,,,ringo,,,", "?pear,pears,,,,nashi,,,", "b", "" }));
    EXPECT_EQ(files.tallyMarks("S"), Strings(2, "1,0,0,0,0,2"));
}

TEST(RowCommands, AFailedLogLoadNeverWritesTheLog)
{
    RowFiles files({ "a", "b" });
    writeFile(files.context.logPath, "# header\r\n[u1]\r\nbroken record line\r\n");
    const std::string before = readFile(files.context.logPath);
    EXPECT_TRUE(insertRowCommand(files.rows));
    EXPECT_EQ(readFile(files.context.logPath), before);
    EXPECT_EQ(files.savedLines(), (Strings { "", "a", "b", "" }));

    RowFiles noLog({ "a" });
    EXPECT_TRUE(deleteRowCommand(noLog.rows));
    EXPECT_FALSE(fileExists(noLog.context.logPath));
}

TEST(RowCommands, ARowEmptiedByEditingGoesWithItsHistoryUnlessADrillUsesIt)
{
    for (const bool drilled : { false, true }) {
        RowFiles files({ "a", "b" });
        files.writeTallies("S", { 1, 2 });
        if (drilled)
            files.startDrill("S");
        CQuestionGrid &grid = files.edit.grid();
        const RowEdit edit = grid.editField(EditField::Answer, "");
        ASSERT_TRUE(edit.emptied);
        files.edit.setModified();
        removeEmptiedRow(files.rows, 0);
        EXPECT_EQ(grid.lines(), drilled ? (Strings { "", "b", "" }) : (Strings { "b", "" }));
        EXPECT_EQ(files.tallyMarks("S"), Strings(2, drilled ? "1,2" : "2"));
        EXPECT_EQ(files.edit.modified(), drilled);
        EXPECT_TRUE(files.prompter.asked.empty());
    }
}

TEST(RowCommands, SortingAsksOrdersAndCarriesTheHistoryAlong)
{
    RowFiles files({ "b", "?a,,,,,q,,,", "?,x,,,,,,,", "c" });
    files.writeTallies("S", { 1, 2, 3, 4 });
    CSortDirections directions;
    files.prompter.replies = { Reply::No };
    EXPECT_FALSE(sortRowsCommand(files.rows, GridColumn::Answer1, directions));
    EXPECT_FALSE(files.edit.modified());

    EXPECT_TRUE(sortRowsCommand(files.rows, GridColumn::Answer1, directions));
    EXPECT_EQ(files.prompter.asked.back().caption, sj("ソート確認"));
    EXPECT_EQ(files.savedLines(), (Strings { "?a,,,,,q,,,", "b", "c", "?,x,,,,,,,", "" }));
    EXPECT_EQ(files.tallyMarks("S"), Strings(2, "2,1,4,3"));

    EXPECT_TRUE(sortRowsCommand(files.rows, GridColumn::Answer1, directions)); // descending
    EXPECT_EQ(files.savedLines(), (Strings { "c", "b", "?a,,,,,q,,,", "?,x,,,,,,,", "" }));
    EXPECT_EQ(files.tallyMarks("S"), Strings(2, "4,1,2,3"));

    const Strings before = files.savedLines();
    EXPECT_FALSE(sortRowsCommand(files.rows, GridColumn::ExtData, directions));
    EXPECT_TRUE(files.edit.modified());
    EXPECT_EQ(files.edit.grid().lines(), before);

    files.startDrill("S");
    files.prompter.asked.clear();
    EXPECT_FALSE(sortRowsCommand(files.rows, GridColumn::Question1, directions));
    EXPECT_EQ(files.prompter.texts().back(),
              sj("現在この問題集を回答中なので、並べ替えできません。"));
}

} // namespace
} // namespace kvr
