#include <gtest/gtest.h>
#include <unistd.h>

#include "app/backuprestore.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/dailybackup.h"
#include "platform/namedmutex.h"
#include "platform/testsupport.h"
#include "platform/testsupport_clock.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

// A database of one collection with the given number of questions.
std::string databaseText(int questions)
{
    CQuestionDatabase database;
    CSection &section = database.root.addSection();
    section.name = "S";
    for (int i = 0; i < questions; ++i)
        section.appendLine("?q" + std::to_string(i) + ";;a" + std::to_string(i));
    return formatDatabase(database);
}

std::string logText(int learners)
{
    CAnswerLog log;
    for (int i = 0; i < learners; ++i)
        log.addUserLog("user" + std::to_string(i));
    return log.formatAnswerLog();
}

class BackupRestoreTest : public ::testing::Test
{
protected:
    TempFolder folder;
    test::FixedClock clock;
    test::CScriptedPrompter prompter;
    std::string database = folder / "Datas/DBv3.kvr";
    std::string log = folder / "Datas/translog.txt";
    RestoreContext context { database, log,   prompter,
                             clock,    false, "kvr-restore-test-" + std::to_string(::getpid()),
                             {} };

    void SetUp() override
    {
        folder.put("Datas/DBv3.kvr", databaseText(3));
        folder.put("Datas/translog.txt", logText(2));
        ASSERT_TRUE(writeBackup(database, "20261208"));
        folder.put("Datas/DBv3.kvr", databaseText(1234));
        ASSERT_TRUE(writeBackup(database, "20261209"));
        ASSERT_TRUE(writeBackup(log, "20261209"));
        folder.put("Datas/backup/translog-20261201.txt", "[u]\r\n\"t\",1,\r\n");
        folder.put("Datas/DBv3.kvr", databaseText(5));
    }

    BackupRow row(BackupKind kind, const std::string &date) const
    {
        for (const BackupRow &candidate : backupListView(database, log).rows) {
            if (candidate.kind == kind && candidate.dateText == date)
                return candidate;
        }
        ADD_FAILURE() << "no backup of " << date;
        return {};
    }
};

TEST_F(BackupRestoreTest, ListsEachKindNewestFirstWithItsContent)
{
    const BackupListView view = backupListView(database, log);
    struct Expected
    {
        const char *kind, *date, *content;
    };
    const Expected expected[] = {
        { "データベース", "2026/12/09", "問題 1234" },
        { "データベース", "2026/12/08", "問題 3" },
        { "学習履歴", "2026/12/09", "学習者 2" },
        { "学習履歴", "2026/12/01", "読み込めません" },
    };
    ASSERT_EQ(view.rows.size(), std::size(expected));
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(view.rows[i].kindText, cp932::text(expected[i].kind));
        EXPECT_EQ(view.rows[i].dateText, expected[i].date);
        EXPECT_EQ(view.rows[i].contentText, cp932::text(expected[i].content));
    }
    EXPECT_EQ(view.rows[3].sizeText, cp932::text("13 バイト"));
    const std::uint64_t size = readWholeFile(view.rows[0].path)->size();
    ASSERT_GT(size, 1000u);
    std::string grouped = std::to_string(size);
    grouped.insert(grouped.size() - 3, ",");
    EXPECT_EQ(view.rows[0].sizeText, grouped + cp932::text(" バイト"));
    EXPECT_TRUE(
        backupListView(folder / "none/DBv3.kvr", folder / "none/translog.txt").rows.empty());
}

TEST_F(BackupRestoreTest, YesPutsTheBackupBackAndKeepsTheCurrentFile)
{
    const BackupRow chosen = row(BackupKind::Database, "2026/12/08");
    const std::optional<std::string> current = readWholeFile(database);
    ASSERT_EQ(restoreBackup(chosen, context), RestoreResult::Restored);
    EXPECT_EQ(readWholeFile(database), databaseText(3));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, restoreQuestionText(chosen));
    EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNo);
    const std::vector<BackupFile> backups = listBackups(database);
    ASSERT_EQ(backups.size(), 3u);
    EXPECT_EQ(backups[0].stamp.size(), 15u); // the moment's copy, newest
    EXPECT_EQ(readWholeFile(backups[0].path), current);
    EXPECT_EQ(readWholeFile(log), logText(2)); // the other file is untouched
}

TEST_F(BackupRestoreTest, NoRefusalsAndFailuresLeaveTheFileAlone)
{
    const std::string before = *readWholeFile(database);
    prompter.push(Reply::No);
    EXPECT_EQ(restoreBackup(row(BackupKind::Database, "2026/12/08"), context),
              RestoreResult::Cancelled);

    {
        CNamedMutex editor;
        ASSERT_TRUE(editor.acquire(context.editorMarker));
        EXPECT_EQ(restoreBackup(row(BackupKind::Database, "2026/12/08"), context),
                  RestoreResult::Refused);
    }
    context.logHasUnsavedDrills = true;
    EXPECT_EQ(restoreBackup(row(BackupKind::Log, "2026/12/09"), context), RestoreResult::Refused);

    BackupRow gone = row(BackupKind::Database, "2026/12/08");
    gone.path = folder / "Datas/backup/DBv3-19990101.kvr";
    EXPECT_EQ(restoreBackup(gone, context), RestoreResult::Failed);

    EXPECT_EQ(readWholeFile(database), before);
    EXPECT_EQ(listBackups(database).size(), 2u);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string> {
                  restoreQuestionText(row(BackupKind::Database, "2026/12/08")), editorRunningText(),
                  unsavedDrillsText(), restoreQuestionText(gone), restoreFailedText(gone) }));
}

// Keeping the current file can push the oldest backup out; when that is the chosen one, it
// is still what comes back.
TEST_F(BackupRestoreTest, TheOldestBackupSurvivesItsOwnRestore)
{
    for (int day = 10; day <= 17; ++day)
        ASSERT_TRUE(writeBackup(database, "202612" + std::to_string(day)));
    ASSERT_EQ(listBackups(database).size(), kKeptBackups);
    ASSERT_EQ(restoreBackup(row(BackupKind::Database, "2026/12/08"), context),
              RestoreResult::Restored);
    EXPECT_EQ(readWholeFile(database), databaseText(3));
    EXPECT_EQ(listBackups(database).size(), kKeptBackups);
}

} // namespace
} // namespace kvr
