#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/backuprestore.h"
#include "db/testsupport_tree.h"
#include "editor/testsupport_editor.h"
#include "platform/dailybackup.h"
#include "platform/environment.h"
#include "platform/namedmutex.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::SessionFiles;

// A backup of the database holding the outline's tree, dated 1 December.
void writeDatabaseBackup(const SessionFiles &files, std::string_view outline)
{
    CQuestionDatabase old;
    old.root = test::treeOf(outline);
    ASSERT_TRUE(env::makeFolders(backupFolderOf(files.context.databasePath)));
    ASSERT_TRUE(replaceFileAtomically(backupPathOf(files.context.databasePath, "20261201"),
                                      formatDatabase(old)));
}

std::vector<std::string> topNames(const SessionFiles &files)
{
    std::vector<std::string> names;
    for (const TreeNode &node : files.session->view().tree.children)
        names.push_back(node.name);
    return names;
}

TEST(EditorRestore, ADatabaseBackupIsPutBackAndTheWindowShowsIt)
{
    // Unsaved changes of the open collection: the learner is asked before they are lost.
    struct Row
    {
        bool edited;
        Reply discard;
        bool restored;
    };
    const Row rows[] = { { false, Reply::Yes, true },
                         { true, Reply::Yes, true },
                         { true, Reply::No, false } };
    for (const Row &row : rows) {
        SCOPED_TRACE(::testing::Message() << row.edited << static_cast<int>(row.discard));
        SessionFiles files("A,B", "B");
        files.session->start();
        writeDatabaseBackup(files, "B,Old");
        const std::optional<std::string> before = readWholeFile(files.context.databasePath);
        if (row.edited) {
            files.session->editField(EditField::Answer, "x");
            files.prompter.replies = { row.discard };
        }
        files.backups.choice = 0;
        files.session->run(EditorCommand::RestoreBackup);

        ASSERT_EQ(files.backups.shown.size(), 1u);
        EXPECT_EQ(files.backups.shown[0].rows.at(0).kind, BackupKind::Database);
        const std::size_t questions = row.edited ? 2u : 1u;
        ASSERT_EQ(files.prompter.asked.size(), row.restored ? questions : 1u);
        if (row.edited) {
            EXPECT_EQ(files.prompter.asked[0].caption, sj("保存の確認"));
        }
        if (row.restored) {
            EXPECT_EQ(files.prompter.asked.back().text,
                      restoreQuestionText(files.backups.shown[0].rows[0]));
        }
        EXPECT_EQ(topNames(files),
                  row.restored ? (std::vector<std::string> { "B", "Old" })
                               : (std::vector<std::string> { "A", "B" }));
        EXPECT_EQ(files.session->view().selectedName, "B");
        EXPECT_EQ(files.session->edit().modified(), !row.restored);
        // The file replaced was kept as one more backup.
        EXPECT_EQ(listBackups(files.context.databasePath).size(), row.restored ? 2u : 1u);
        if (!row.restored) {
            EXPECT_EQ(readWholeFile(files.context.databasePath), before);
        }
    }
}

TEST(EditorRestore, RefusedWhileADrillRunsAndTheLogNeedsNoReload)
{
    SessionFiles files("A", "A");
    files.session->start();
    writeDatabaseBackup(files, "Old");
    files.writeLog({ "A" });
    ASSERT_TRUE(writeBackup(files.context.logPath, "20261202"));
    files.session->editField(EditField::Answer, "x");

    // The study program's drill holds the marker beside the database.
    {
        CNamedMutex drill;
        ASSERT_TRUE(drill.acquire(files.markerName));
        files.backups.choice = 0;
        files.prompter.replies = { Reply::Yes };
        files.session->run(EditorCommand::RestoreBackup);
        ASSERT_EQ(files.prompter.asked.size(), 2u);
        EXPECT_EQ(files.prompter.asked[1].text, drillRunningText());
        EXPECT_EQ(topNames(files), (std::vector<std::string> { "A" }));
    }

    // The log's backup: no question about the open collection, which stays as edited.
    files.prompter.asked.clear();
    files.backups.choice = 1;
    files.session->run(EditorCommand::RestoreBackup);
    ASSERT_EQ(files.backups.shown.back().rows.at(1).kind, BackupKind::Log);
    ASSERT_EQ(files.prompter.asked.size(), 1u);
    EXPECT_EQ(files.prompter.asked[0].text,
              restoreQuestionText(files.backups.shown.back().rows[1]));
    EXPECT_TRUE(files.session->edit().modified());
    EXPECT_EQ(listBackups(files.context.logPath).size(), 2u);

    // Closing the list does nothing.
    files.prompter.asked.clear();
    files.backups.choice.reset();
    files.session->run(EditorCommand::RestoreBackup);
    EXPECT_TRUE(files.prompter.asked.empty());
}

} // namespace
} // namespace kvr
