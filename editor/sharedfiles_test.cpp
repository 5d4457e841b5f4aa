// The editor and the study program write the same log and database from two processes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "editor/rowcommands.h"
#include "editor/testsupport_editor.h"
#include "history/answerlog.h"

namespace kvr {
namespace {

using test::RowFiles;

// Regression: the study program wrote back the log it had read at start, so a history shift
// the editor made meanwhile was lost (or the editor's write dropped the drill).
TEST(SharedFiles, EditorRowInsertsAndStudyDrillsInTwoProcessesKeepBoth)
{
    constexpr int kRounds = 30;
    RowFiles files({ "a", "b" });
    files.writeTallies("S", { 5, 6 });
    CAnswerLog study;
    ASSERT_TRUE(study.loadAnswerLog(files.context.logPath));

    const pid_t editor = ::fork();
    ASSERT_GE(editor, 0);
    if (editor == 0) {
        // The editor inserts a row at the top of collection S, again and again.
        int failures = 0;
        for (int i = 0; i < kRounds; ++i) {
            files.edit.grid().selectRow(0);
            failures += insertRowCommand(files.rows) ? 0 : 1;
        }
        ::_exit(failures + static_cast<int>(files.prompter.asked.size()));
    }
    // Meanwhile the study program finishes drills on collection A.
    int failedSaves = 0;
    for (int i = 0; i < kRounds; ++i) {
        FinishedDrill drill;
        drill.userName = "u1";
        drill.sectionPath = "A";
        drill.correct = 1;
        drill.tallies.resize(2);
        failedSaves += study.recordFinishedDrill(drill, files.context.logPath) ? 0 : 1;
    }
    int status = 0;
    ASSERT_EQ(::waitpid(editor, &status, 0), editor);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(failedSaves, 0);

    CAnswerLog onDisk;
    ASSERT_TRUE(onDisk.loadAnswerLog(files.context.logPath));
    const CSectionLog *drills =
        findLearnerRecord(onDisk, "u1", "A", LogModeIndex::JapaneseToEnglishTyped);
    ASSERT_TRUE(drills);
    EXPECT_EQ(drills->studyCount, kRounds);
    // Every insert moved the old tallies one place down, for both learners.
    std::string expected;
    for (int i = 0; i < kRounds; ++i)
        expected += "0,";
    expected += "5,6";
    EXPECT_EQ(files.tallyMarks("S"), (std::vector { expected, expected }));
    EXPECT_FALSE(study.hasUnsavedChanges());
}

} // namespace
} // namespace kvr
