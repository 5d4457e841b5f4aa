#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "db/treeops.h"
#include "editor/testsupport_editor.h"
#include "platform/dailybackup.h"
#include "platform/testsupport_clock.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::RowFiles;
using Strings = std::vector<std::string>;

TEST(CollectionEdit, SaveCollectionGivesItsFiveResults)
{
    struct Row
    {
        const char *what;
        bool modified;
        bool ask;
        std::vector<Reply> replies;
        SaveResult result;
        bool stillModified;
        Strings saved;
    };
    const Strings edited = { "a", "b", "" };
    const Row rows[] = {
        { "nothing to save", false, true, {}, SaveResult::NothingToSave, false, { "a" } },
        { "saved without asking", true, false, {}, SaveResult::Saved, false, edited },
        { "yes", true, true, { Reply::Yes }, SaveResult::Saved, false, edited },
        { "no", true, true, { Reply::No }, SaveResult::Discarded, false, { "a" } },
        { "cancel", true, true, { Reply::Cancel }, SaveResult::Cancelled, true, { "a" } },
    };
    for (const Row &row : rows) {
        RowFiles files({ "a" });
        files.edit.grid().selectRow(1);
        files.edit.grid().editField(EditField::Answer, "b");
        files.edit.setModified(row.modified);
        files.prompter.replies = { row.replies.begin(), row.replies.end() };
        EXPECT_EQ(files.edit.saveCollection(row.ask), row.result) << row.what;
        EXPECT_EQ(files.edit.modified(), row.stillModified) << row.what;
        EXPECT_EQ(files.savedLines(), row.saved) << row.what;
        if (!row.replies.empty()) {
            const Message &asked = files.prompter.asked.at(0);
            EXPECT_EQ(asked.text,
                      sj("開いていた問題集（S）のデータが変更されています。\n保存しま"
                         "すか？"));
            EXPECT_EQ(asked.caption, sj("保存の確認"));
            EXPECT_EQ(asked.buttons, Buttons::YesNoCancel);
        }
    }
}

TEST(CollectionEdit, TheFirstSaveOfTheDayKeepsTheFileAsItWas)
{
    RowFiles files({ "a" });
    test::FixedClock clock;
    const CDailyBackup backup(clock, files.prompter);
    files.edit.dailyBackup = &backup;
    const std::optional<std::string> before = readWholeFile(files.edit.databasePath());
    files.edit.grid().selectRow(1);
    files.edit.grid().editField(EditField::Answer, "b");
    files.edit.setModified(true);
    ASSERT_EQ(files.edit.saveCollection(false), SaveResult::Saved);
    EXPECT_EQ(readWholeFile(backupPathOf(files.edit.databasePath(), "20261210")), before);
    EXPECT_NE(readWholeFile(files.edit.databasePath()), before);
}

// The study program writes the database when a learner keeps a question during a drill: the
// editor's save must not silently undo that. The user chooses.
TEST(CollectionEdit, ASaveOverAFileChangedOnDiskAsksFirst)
{
    struct Row
    {
        const char *what;
        bool overwrite;
        SaveResult result;
    };
    const Row rows[] = {
        { "yes", true, SaveResult::Saved },
        { "no", false, SaveResult::Cancelled },
    };
    for (const Row &row : rows) {
        RowFiles files({ "a" });
        files.save();
        files.edit.databaseRead();
        EXPECT_FALSE(files.edit.databaseChangedOnDisk()) << row.what;
        CQuestionDatabase others = files.database;
        others.root.addSection().name = "kept";
        ASSERT_TRUE(writeDatabase(others, files.context.databasePath));
        EXPECT_TRUE(files.edit.databaseChangedOnDisk()) << row.what;
        files.prompter.replies = { row.overwrite ? Reply::Yes : Reply::No };
        files.edit.grid().editField(EditField::Answer, "b");
        files.edit.setModified();
        EXPECT_EQ(files.edit.saveCollection(false), row.result) << row.what;
        EXPECT_EQ(files.prompter.asked,
                  std::vector { databaseChangedQuestion(files.context.databasePath) })
            << row.what;
        CQuestionDatabase onDisk;
        ASSERT_TRUE(readDatabase(onDisk, files.context.databasePath));
        EXPECT_EQ(hasSection(onDisk.root, "kept"), !row.overwrite) << row.what;
        EXPECT_EQ(files.edit.modified(), !row.overwrite) << row.what;
        // After its own write the editor holds the file again: no second question.
        if (row.overwrite) {
            EXPECT_FALSE(files.edit.databaseChangedOnDisk()) << row.what;
        }
    }
}

TEST(CollectionEdit, AFailedSaveKeepsTheWorkingCopyAndTheFlag)
{
    RowFiles files({ "a" });
    files.edit.grid().editField(EditField::Answer, "b");
    files.edit.setModified();
    files.edit.setDatabasePath(files.dbFile.folder() + "/missing/DBv3.kvr");
    EXPECT_EQ(files.edit.saveCollection(false), SaveResult::Failed);
    EXPECT_TRUE(files.edit.modified());
    EXPECT_EQ(files.edit.grid().lines(), (Strings { "b", "" }));

    RowFiles gone({ "a" });
    gone.edit.setModified();
    deleteSection(gone.database.root, "S");
    EXPECT_EQ(gone.edit.saveCollection(false), SaveResult::Failed);
    EXPECT_TRUE(gone.edit.modified());
}

TEST(CollectionEdit, SavingAFolderStoresItsHeaderAndTheTitleShowsTheFlag)
{
    RowFiles files({}, "F[S],S");
    files.edit.open(SelectedItem { "F", "F", EntryKind::Folder });
    EXPECT_EQ(files.edit.title(), sj("F - KvrEditor "));
    EXPECT_EQ(files.edit.grid().rowCount(), 0u);
    CInnerHeader header;
    header.headerFields = { "c", "i", "s" };
    files.edit.setHeader(header);
    EXPECT_EQ(files.edit.title(), sj("F - （更新）KvrEditor "));
    EXPECT_EQ(files.edit.saveCollection(false), SaveResult::Saved);
    CQuestionDatabase saved;
    readDatabase(saved, files.context.databasePath);
    EXPECT_EQ(findFolder(saved.root, "F").header, header);

    files.edit.open(SelectedItem { "G", "G", EntryKind::Folder });
    EXPECT_EQ(files.prompter.texts().back(), sj("フォルダの情報が取得できませんでした。"));
    files.edit.close();
    EXPECT_EQ(files.edit.title(), "KvrEditor");
}

TEST(CollectionEdit, TheOpenItemFollowsARenameOrMoveAbove)
{
    struct Row
    {
        std::string open;
        std::string oldPath, newPath;
        EntryKind kind;
        std::string after;
    };
    const EntryKind S = EntryKind::Section, F = EntryKind::Folder;
    const Row rows[] = {
        { "A/S", "A/S", "A/T", S, "A/T" },         { "A/S", "A", "B", F, "B/S" },
        { "AB/S", "A", "B", F, "AB/S" },           { "A/S", "A/S", "A/T", F, "A/S" },
        { "A/B/S", "A/B", "C (1)", F, "C (1)/S" },
    };
    for (const Row &row : rows) {
        RowFiles files({});
        files.edit.open(SelectedItem { row.open, "x", EntryKind::Section });
        files.prompter.asked.clear();
        files.edit.follow(row.oldPath, row.newPath, row.kind);
        EXPECT_EQ(files.edit.selected()->path, row.after) << row.open;
    }
}

} // namespace
} // namespace kvr
