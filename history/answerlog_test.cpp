#include <gtest/gtest.h>

#include "history/answerlog.h"
#include "platform/error.h"
#include "platform/testsupport.h"

using namespace kvr;

namespace {

using Ints = std::vector<std::int32_t>;

CSectionLog recordWithTallies(const std::string &name, int count)
{
    CSectionLog r;
    r.sectionName = name;
    for (int i = 0; i < count; ++i)
        setTally(r, i, QuestionTally::FirstCorrect, 100 + i);
    return r;
}

Ints firstCorrects(const CSectionLog &r)
{
    Ints out;
    for (const QuestionTally &t : r.tallies())
        out.push_back(t.values[QuestionTally::FirstCorrect]);
    return out;
}

TEST(AnswerLog, LookupsFailWithTheirTextsAndFindTheFirstOfDuplicateNames)
{
    CAnswerLog log;
    log.addUserLog("a");
    log.addUserLog("a");
    CUserLog &first = log.users[0];
    CSectionLog &record = obtainSectionLog(first, "s", LogModeIndex::JapaneseToEnglishTyped);
    const std::string illegal = "illegal index required.";
    EXPECT_EQ(errorText([&] { log.findUserLog("x"); }), "not found the requested user.");
    EXPECT_EQ(errorText([&] { findSectionLog(first, "s", LogModeIndex::EnglishToJapaneseChoice); }),
              "not found the requested sectionname.");
    EXPECT_EQ(errorText([&] { log.userAt(2); }), illegal);
    EXPECT_EQ(errorText([&] { log.removeUser(2); }), illegal);
    EXPECT_EQ(errorText([&] { sectionAt(first, 1); }), illegal);
    EXPECT_EQ(errorText([&] { runAt(record, 0); }), illegal);
    EXPECT_EQ(errorText([&] { eraseRun(record, 0); }), illegal);
    EXPECT_EQ(errorText([&] { getTally(record, 0, QuestionTally::FieldCount); }), illegal);
    EXPECT_EQ(&log.findUserLog("a"), &first);
    log.removeUser(0);
    EXPECT_TRUE(log.findUserLog("a").sections.empty());
}

TEST(AnswerLog, NonThrowingLookupsFindWhatTheThrowingOnesFindAndCreateNothing)
{
    CAnswerLog log;
    log.addUserLog("a");
    log.addUserLog("a").sections.push_back(recordWithTallies("s", 1));
    CUserLog &first = log.users[0];
    obtainSectionLog(first, "s", LogModeIndex::EnglishToJapaneseTyped).correctCount = 7;
    const CAnswerLog &view = log;
    const struct
    {
        const char *user;
        const char *path;
        int mode;
        int expectedCorrect; // -1: nothing found
    } rows[] = {
        { "a", "s", 2, 7 }, // the first learner of a duplicate name
        { "a", "s", 0, 0 },  { "a", "s", 3, -1 }, // fewer records than the mode needs
        { "a", "t", 0, -1 }, { "b", "s", 0, -1 }, { "a", "s", -1, -1 }, // modes outside 0-4
        { "a", "s", 5, -1 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.user) + " " + row.path + " " + std::to_string(row.mode));
        const auto mode = static_cast<LogModeIndex>(row.mode);
        CSectionLog *found = findLearnerRecord(log, row.user, row.path, mode);
        const CSectionLog *seen = findLearnerRecord(view, row.user, row.path, mode);
        EXPECT_EQ(found, seen);
        EXPECT_EQ(found ? found->correctCount : -1, row.expectedCorrect);
        if (found) {
            EXPECT_EQ(found, &findSectionLog(log.findUserLog(row.user), row.path, mode));
        }
    }
    EXPECT_EQ(findUser(log, "a"), &first);
    EXPECT_EQ(findUser(view, "b"), nullptr);
    EXPECT_EQ(log.users.size(), 2u);
    EXPECT_EQ(first.sections.size(), 3u);

    EXPECT_EQ(&obtainUserLog(log, "a"), &first);
    obtainUserLog(log, "b");
    EXPECT_EQ(&obtainUserLog(log, "b"), &log.users.back());
    EXPECT_EQ(log.users.size(), 3u);
}

TEST(AnswerLog, ViewsReadZerosWithoutChangingTheRecord)
{
    const CSectionLog record = recordWithTallies("s", 2);
    EXPECT_EQ(readTally(record, 1).values[QuestionTally::FirstCorrect], 101);
    EXPECT_EQ(readTally(record, 2), QuestionTally {});
    EXPECT_EQ(readTally(record, 1000), QuestionTally {});
    EXPECT_EQ(record.tallies().size(), 2u);
    EXPECT_EQ(emptySectionLog(), CSectionLog {});
}

TEST(AnswerLog, ObtainForMode3AppendsFourRecordsAndMode1FindsTheSecond)
{
    CUserLog user;
    user.sections.push_back(recordWithTallies("other", 0));
    obtainSectionLog(user, "s", LogModeIndex::JapaneseToEnglishChoice).correctCount = 33;
    ASSERT_EQ(user.sections.size(), 5u);
    findSectionLog(user, "s", LogModeIndex::EnglishToJapaneseChoice).correctCount = 11;
    EXPECT_EQ(user.sections[2].correctCount, 11);
    EXPECT_EQ(user.sections[4].correctCount, 33);
    obtainSectionLog(user, "s", LogModeIndex::EnglishToJapaneseChoice);
    EXPECT_EQ(user.sections.size(), 5u);
    eraseSectionHistory(user, "s");
    ASSERT_EQ(user.sections.size(), 1u);
}

// After a load a learner's list may be exactly full: the first new record must move the
// others, not copy every record with all its tallies.
TEST(AnswerLog, ANewRecordMovesTheOthersInsteadOfCopyingThem)
{
    CUserLog user { "u", {} };
    for (int i = 0; i < 8; ++i)
        user.sections.push_back(recordWithTallies("s" + std::to_string(i), 50));
    user.sections.shrink_to_fit();
    std::vector<const QuestionTally *> tallies;
    for (const CSectionLog &record : user.sections)
        tallies.push_back(record.tallies().data());
    const std::size_t capacity = user.sections.capacity();

    obtainSectionLog(user, "new", LogModeIndex(0));
    ASSERT_GT(user.sections.capacity(), capacity) << "the list did not grow";
    for (std::size_t i = 0; i < tallies.size(); ++i)
        EXPECT_EQ(user.sections[i].tallies().data(), tallies[i]) << i;
}

TEST(AnswerLog, TwentyFirstRunPushesOutTheOldestButStaysInTheTotals)
{
    CSectionLog r;
    for (int i = 1; i <= 21; ++i)
        addDrillRun(r, DrillRunRecord { i, 1, 1000 * i, 1000 * i + 30, 5 });
    ASSERT_EQ(r.recentRuns.size(), 20u);
    EXPECT_EQ(runAt(r, 0).correct, 21);
    EXPECT_EQ(runAt(r, 19).correct, 2);
    const Ints totals { r.correctCount, r.incorrectCount,    r.firstStudyTime,
                        r.studyCount,   r.totalStudySeconds, r.totalKeyCount };
    EXPECT_EQ(totals, (Ints { 231, 21, 1000, 21, 630, 105 }));
    eraseRun(r, 0);
    EXPECT_EQ(runAt(r, 0).correct, 20);
    EXPECT_EQ(r.correctCount, 231);
}

TEST(AnswerLog, AddDrillRunDropsOnlyTheOldestRunOfAnOverlongList)
{
    CSectionLog r;
    for (int i = 0; i < 25; ++i)
        r.recentRuns.push_back(DrillRunRecord { 100 + i, 0, 0, 0, 0 });
    addDrillRun(r, DrillRunRecord { 7, 0, 10, 20, 0 });
    ASSERT_EQ(r.recentRuns.size(), 25u);
    EXPECT_EQ(runAt(r, 0).correct, 7);
    EXPECT_EQ(runAt(r, 24).correct, 123);
}

TEST(AnswerLog, CountersWrapInsteadOfOverflowing)
{
    CSectionLog r;
    r.correctCount = INT32_MAX;
    addDrillRun(r, DrillRunRecord { 1, 0, INT32_MAX - 5, INT32_MIN + 4, 0 });
    EXPECT_EQ(r.correctCount, INT32_MIN);
    EXPECT_EQ(r.totalStudySeconds, 10); // a run across the 32-bit wrap still lasts 10 s
    setTally(r, 0, QuestionTally::RetryCorrect, INT32_MAX);
    incrementTally(r, 0, QuestionTally::RetryCorrect);
    EXPECT_EQ(getTally(r, 0, QuestionTally::RetryCorrect), INT32_MIN);
}

TEST(AnswerLog, TallyAccessBeyondTheEndExtendsWithZeros)
{
    CSectionLog r;
    EXPECT_EQ(getTally(r, 3, QuestionTally::RetryIncorrectAdjust), 0);
    EXPECT_EQ(r.tallies().size(), 4u);
    setTally(r, 5, QuestionTally::FirstIncorrectAdjust, -10);
    incrementTally(r, 7, QuestionTally::FirstIncorrect);
    ASSERT_EQ(r.tallies().size(), 8u);
    EXPECT_EQ(r.tallies()[5].values[QuestionTally::FirstIncorrectAdjust], -10);
    EXPECT_EQ(r.tallies()[7].values[QuestionTally::FirstIncorrect], 1);
}

// Learners a and b have every mode of "S" (4 tallies) and "T"; c's tallies of "S" end early.
CAnswerLog editorLog()
{
    CAnswerLog log;
    for (const char *name : { "a", "b" }) {
        CUserLog &user = log.addUserLog(name);
        user.sections.assign(kDrillModeCount, recordWithTallies("S", 4));
        user.sections.push_back(recordWithTallies("T", 4));
    }
    CUserLog &c = log.addUserLog("c");
    c.sections = { recordWithTallies("S", 1), recordWithTallies("S", 2) };
    c.sections[0].lastMissed = { 0, 2, 5 };
    return log;
}

TEST(AnswerLog, InsertAndEraseQuestionMoveEveryLearnersTalliesOnly)
{
    CAnswerLog log = editorLog();
    log.insertQuestionTally("S", 2);
    for (int u = 0; u < 2; ++u) {
        for (int mode = 0; mode < kDrillModeCount; ++mode)
            EXPECT_EQ(firstCorrects(log.users[u].sections[mode]), (Ints { 100, 101, 0, 102, 103 }));
        EXPECT_EQ(firstCorrects(log.users[u].sections[5]), (Ints { 100, 101, 102, 103 }));
    }
    const auto &c = log.users[2].sections;
    EXPECT_EQ(firstCorrects(c[0]), (Ints { 100 })); // ends before 2: intact
    EXPECT_EQ(firstCorrects(c[1]), (Ints { 100, 101, 0 })); // ends at 2: appended
    EXPECT_EQ(c[0].lastMissed, (Ints { 0, 3, 6 }));

    log.eraseQuestionTally("S", 3);
    EXPECT_EQ(firstCorrects(log.users[1].sections[4]), (Ints { 100, 101, 0, 103 }));
    EXPECT_EQ(firstCorrects(c[1]), (Ints { 100, 101, 0 })); // beyond the end: nothing
    EXPECT_EQ(c[0].lastMissed, (Ints { 0, 5 })); // the erased question's entry goes
    EXPECT_EQ(firstCorrects(log.users[0].sections[5]), (Ints { 100, 101, 102, 103 }));
}

TEST(AnswerLog, RenamesMatchWholeNamesAndFolderPrefixes)
{
    const struct
    {
        const char *before, *afterFolderRename, *afterSectionRename;
    } rows[] = {
        { "A", "A", "C" },          { "A/x", "B/x", "A/x" },    { "A/y/z", "B/y/z", "A/y/z" },
        { "AB/x", "AB/x", "AB/x" }, { "xA/x", "xA/x", "xA/x" },
    };
    CAnswerLog folders;
    for (const auto &row : rows)
        folders.addUserLog("u").sections.push_back(recordWithTallies(row.before, 1));
    CAnswerLog sections = folders;
    folders.renameFolderLogs("A", "B");
    sections.renameSectionLogs("A", "C");
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(folders.users[i].sections[0].sectionName, rows[i].afterFolderRename);
        EXPECT_EQ(sections.users[i].sections[0].sectionName, rows[i].afterSectionRename);
    }
}

TEST(AnswerLog, FinishedDrillUpdatesTheRecordAndSaves)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    CAnswerLog log;
    log.addUserLog("someone else");
    FinishedDrill drill { "u",        "A/x",       LogModeIndex::EnglishToJapaneseTyped,
                          7,          3,           1700000000,
                          1700000095, 120,         std::vector<QuestionTally>(3),
                          true,       4000000000u, 10,
                          { 2, 0 },   false };
    drill.tallies[2].values[QuestionTally::FirstIncorrect] = 1;
    ASSERT_TRUE(log.recordFinishedDrill(drill, path));
    drill.missed = { 1 };
    drill.startTime += 1000;
    drill.endTime += 1000;
    ASSERT_TRUE(log.recordFinishedDrill(drill, path));
    drill.advancesSeries = false;
    drill.seed = 5;
    ASSERT_TRUE(log.recordFinishedDrill(drill, path));

    CAnswerLog reread;
    ASSERT_TRUE(reread.loadAnswerLog(path));
    EXPECT_EQ(reread.users, log.users);
    ASSERT_EQ(log.users.size(), 2u);
    ASSERT_EQ(log.users[1].sections.size(), 3u);
    const CSectionLog &r = log.users[1].sections[2];
    EXPECT_EQ((Ints { r.correctCount, r.studyCount, r.totalStudySeconds, r.firstStudyTime }),
              (Ints { 21, 3, 285, 1700000000 }));
    EXPECT_EQ(runAt(r, 0), (DrillRunRecord { 7, 3, 1700001000, 1700001095, 120 }));
    EXPECT_EQ(r.tallies(), drill.tallies);
    EXPECT_EQ(r.seriesSeed, 4000000000u);
    EXPECT_EQ((Ints { r.seriesDone, r.lastSeriesCount }), (Ints { 20, 10 }));
    EXPECT_EQ(r.lastMissed, (Ints { 1 }));

    // A drill that started a new series counts it from its own questions.
    drill.advancesSeries = true;
    drill.newSeries = true;
    drill.questionsTaken = 6;
    ASSERT_TRUE(log.recordFinishedDrill(drill, path));
    EXPECT_EQ((Ints { r.seriesDone, r.lastSeriesCount }), (Ints { 6, 6 }));
    EXPECT_EQ(r.seriesSeed, 5u);

    // A failed save reports false; the drill stays in memory for the next save.
    EXPECT_FALSE(log.recordFinishedDrill(drill, folder.file("no/such/translog.txt")));
    EXPECT_EQ(log.users[1].sections[2].studyCount, 5);
}

} // namespace
