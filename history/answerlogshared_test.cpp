#include <gtest/gtest.h>
#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#endif

#include "history/answerlog.h"
#include "platform/dailybackup.h"
#include "platform/environment.h"
#include "platform/testsupport.h"
#include "platform/testsupport_clock.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"

using namespace kvr;

namespace {

FinishedDrill drillOn(const std::string &path)
{
    FinishedDrill drill;
    drill.userName = "u";
    drill.sectionPath = path;
    drill.correct = 1;
    drill.tallies.resize(1);
    return drill;
}

int studyCountOf(const CAnswerLog &log, const std::string &path)
{
    const CSectionLog *record =
        findLearnerRecord(log, "u", path, LogModeIndex::JapaneseToEnglishTyped);
    return record ? record->studyCount : 0;
}

CAnswerLog loaded(const std::string &path)
{
    CAnswerLog log;
    EXPECT_TRUE(log.loadAnswerLog(path));
    return log;
}

// Two copies of the log, as the study program and the editor hold them: each update is made
// on what the other wrote, and the one that took the other's content says so.
TEST(AnswerLogShared, UpdatesOfTwoHoldersKeepEachOthersChanges)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    ASSERT_TRUE(CAnswerLog().saveAnswerLog(path));
    CAnswerLog study = loaded(path);
    CAnswerLog editor = loaded(path);

    ASSERT_TRUE(study.recordFinishedDrill(drillOn("A"), path));
    EXPECT_FALSE(study.changedByOthers);
    ASSERT_EQ(
        editor.updateAnswerLog(path, [](CAnswerLog &log) { log.insertQuestionTally("A", 0); }),
        CAnswerLog::Update::Saved);
    EXPECT_TRUE(editor.changedByOthers);
    ASSERT_TRUE(study.recordFinishedDrill(drillOn("B"), path));
    EXPECT_TRUE(study.changedByOthers);

    const CAnswerLog onDisk = loaded(path);
    EXPECT_EQ(studyCountOf(onDisk, "A"), 1);
    EXPECT_EQ(studyCountOf(onDisk, "B"), 1);
    EXPECT_EQ(
        findLearnerRecord(onDisk, "u", "A", LogModeIndex::JapaneseToEnglishTyped)->tallies().size(),
        2u);
    EXPECT_EQ(onDisk.users, study.users);

    // Idle, the study program takes what the editor wrote; not while it has unsaved work.
    study.changedByOthers = false;
    EXPECT_FALSE(study.reloadIfChanged(path));
    ASSERT_EQ(
        editor.updateAnswerLog(path, [](CAnswerLog &log) { log.renameSectionLogs("B", "C"); }),
        CAnswerLog::Update::Saved);
    EXPECT_TRUE(study.reloadIfChanged(path));
    EXPECT_TRUE(study.changedByOthers);
    EXPECT_EQ(studyCountOf(study, "C"), 1);
}

// A changed file that no longer reads is neither overwritten nor taken; the drill waits in
// memory for the next update.
TEST(AnswerLogShared, ADamagedChangedFileIsLeftAloneAndTheDrillKept)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    ASSERT_TRUE(CAnswerLog().saveAnswerLog(path));
    CAnswerLog study = loaded(path);
    ASSERT_TRUE(replaceFileAtomically(path, "[u]\r\nbroken\r\n"));
    EXPECT_FALSE(study.recordFinishedDrill(drillOn("A"), path));
    EXPECT_EQ(readWholeFile(path), "[u]\r\nbroken\r\n");
    EXPECT_TRUE(study.hasUnsavedChanges());
    EXPECT_EQ(studyCountOf(study, "A"), 1);
    EXPECT_FALSE(study.reloadIfChanged(path));

    // Repaired by another program: the next update takes it and makes the drill again.
    CAnswerLog repaired;
    repaired.addUserLog("other");
    ASSERT_TRUE(repaired.saveAnswerLog(path));
    ASSERT_TRUE(study.recordFinishedDrill(drillOn("B"), path));
    const CAnswerLog onDisk = loaded(path);
    EXPECT_EQ(onDisk.users.size(), 2u);
    EXPECT_EQ(studyCountOf(onDisk, "A"), 1);
    EXPECT_EQ(studyCountOf(onDisk, "B"), 1);
    EXPECT_FALSE(study.hasUnsavedChanges());
}

#if defined(__unix__)
TEST(AnswerLogShared, AFailedWriteIsMadeAgainByTheNextUpdate)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    ASSERT_TRUE(CAnswerLog().saveAnswerLog(path));
    CAnswerLog study = loaded(path);
    FinishedDrill big = drillOn("A");
    big.tallies.resize(20000);
    rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = study.recordFinishedDrill(big, path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(study.hasUnsavedChanges());
    // Another program writes meanwhile; both drills and its change end up in the file.
    CAnswerLog other = loaded(path);
    other.addUserLog("other");
    ASSERT_TRUE(other.saveWholeLog(path));
    ASSERT_TRUE(study.recordFinishedDrill(drillOn("B"), path));
    const CAnswerLog onDisk = loaded(path);
    EXPECT_EQ(onDisk.users.size(), 2u);
    EXPECT_EQ(studyCountOf(onDisk, "A"), 1);
    EXPECT_EQ(studyCountOf(onDisk, "B"), 1);
}
#endif

} // namespace

namespace {

// At exit, unsaved drills are tried again, saved elsewhere, or given up on the learner's word.
TEST(AnswerLogShared, UnsavedDrillsAreSettledAtExit)
{
    struct Row
    {
        const char *what;
        std::vector<Reply> replies;
        bool repaired; // the log's folder is there again before the retry
        bool settled;
        std::size_t asked;
    };
    const Row rows[] = {
        { "retry succeeds", { Reply::Yes }, true, true, 1 },
        { "retry fails, then given up", { Reply::Yes, Reply::Cancel }, false, false, 2 },
        { "another file", { Reply::No }, false, true, 1 },
        { "given up", { Reply::Cancel }, false, false, 1 },
    };
    for (const Row &row : rows) {
        TempFolder folder;
        const std::string path = folder.file("sub/translog.txt");
        CAnswerLog log;
        ASSERT_FALSE(log.recordFinishedDrill(drillOn("A"), path)) << row.what;
        if (row.repaired) {
            ASSERT_TRUE(env::makeFolders(folder.file("sub")));
        }
        test::CScriptedPrompter prompter;
        prompter.replies = { row.replies.begin(), row.replies.end() };
        const std::string other = folder.file("elsewhere.txt");
        test::ScriptedFileDialogs fileDialogs;
        fileDialogs.answers = { other };
        EXPECT_EQ(settleUnsavedDrills(log, path, prompter, fileDialogs), row.settled) << row.what;
        const bool savedElsewhere = row.replies.front() == Reply::No;
        EXPECT_EQ(fileDialogs.requests,
                  savedElsewhere ? std::vector { otherLogFileRequest() }
                                 : std::vector<FileRequest> {})
            << row.what;
        EXPECT_EQ(prompter.asked.size(), row.asked) << row.what;
        EXPECT_EQ(prompter.asked.at(0), unsavedDrillsQuestion(path)) << row.what;
        const std::string written = savedElsewhere ? other : path;
        CAnswerLog onDisk;
        EXPECT_EQ(onDisk.loadAnswerLog(written) && studyCountOf(onDisk, "A") == 1, row.settled)
            << row.what;
    }
}

} // namespace

// Both ways the programs write the log keep the day's first version as its backup.
TEST(SharedLog, WritesKeepTheDaysFirstVersionAsABackup)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    test::FixedClock clock;
    test::CScriptedPrompter prompter;
    const CDailyBackup backup(clock, prompter);
    CAnswerLog log;
    log.setDailyBackup(&backup);
    ASSERT_EQ(log.updateAnswerLog(path, [](CAnswerLog &) {}), CAnswerLog::Update::Saved);
    EXPECT_TRUE(listBackups(path).empty()); // a new file: nothing to keep
    const std::optional<std::string> first = readWholeFile(path);

    ASSERT_EQ(
        log.updateAnswerLog(path, [](CAnswerLog &fresh) { fresh.foldFinishedDrill(drillOn("a")); }),
        CAnswerLog::Update::Saved);
    clock.time += test::kOneDay;
    const std::optional<std::string> second = readWholeFile(path);
    ASSERT_TRUE(log.saveWholeLog(path));
    const std::vector<BackupFile> backups = listBackups(path);
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(readWholeFile(backups[1].path), first);
    EXPECT_EQ(readWholeFile(backups[0].path), second);
    EXPECT_TRUE(prompter.asked.empty());
}
