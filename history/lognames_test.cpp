#include <gtest/gtest.h>

#include "history/answerlog.h"
#include "history/lognames.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"

using namespace kvr;

namespace {

// Regression: a collection named with '"' (or a learner name ending in a lone lead byte)
// made the end-of-drill save write a line its own reader rejected, and every later start
// refused the log.
TEST(LogNames, EveryNameSurvivesADrillSaveAndLoad)
{
    struct Row
    {
        std::string learner, section, storedLearner, storedSection;
    };
    const Row rows[] = {
        { "u", "say \"hi\" now", "u", sj("say ＂hi＂ now") },
        { "u\x81", "A/B", "u", "A/B" },
        { sj("ゾ"), sj("ゾ/表"), sj("ゾ"), sj("ゾ/表") },
        { "\x83", "\"", "", sj("＂") },
        { "a\r\nb", "x\ny\"", "a\rb", sj("xy＂") },
        { "a\x81\n", "", "a", "" },
        { "", "", "", "" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.section);
        CAnswerLog log;
        FinishedDrill drill;
        drill.userName = row.learner;
        drill.sectionPath = row.section;
        drill.correct = 4;
        drill.tallies.resize(2);
        TempFolder dir;
        const std::string path = dir.file("translog.txt");
        ASSERT_TRUE(log.recordFinishedDrill(drill, path));
        CAnswerLog again;
        ASSERT_TRUE(again.loadAnswerLog(path));
        ASSERT_EQ(again.users.size(), 1u);
        EXPECT_EQ(again.users[0].name, row.storedLearner);
        EXPECT_EQ(again.users[0].sections.at(0).sectionName, row.storedSection);
        // The names as the database and the settings still spell them find the record.
        const CSectionLog *record = findLearnerRecord(again, row.learner, row.section, drill.mode);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->correctCount, 4);
        // A second drill lands on the same record, not a new one.
        ASSERT_TRUE(again.recordFinishedDrill(drill, path));
        EXPECT_EQ(again.users.size(), 1u);
        EXPECT_EQ(findLearnerRecord(again, row.learner, row.section, drill.mode)->studyCount, 2);
    }
}

TEST(LogNames, EditorMaintenanceFindsQuotedNames)
{
    CAnswerLog log;
    CSectionLog &record =
        obtainSectionLog(log.addUserLog("u"), "F/a\"b", LogModeIndex::JapaneseToEnglishTyped);
    record.tallies().resize(1);
    log.insertQuestionTally("F/a\"b", 0);
    EXPECT_EQ(record.tallies().size(), 2u);
    log.renameFolderLogs("F", "G\"");
    EXPECT_EQ(record.sectionName, sj("G＂/a＂b"));
    log.renameSectionLogs("G\"/a\"b", "H");
    EXPECT_EQ(record.sectionName, "H");
}

} // namespace
