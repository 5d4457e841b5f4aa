#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

#include "history/runerase.h"
#include "platform/cp932.h"
#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

using cp932::text;
using test::CScriptedPrompter;
using test::messageOf;

const std::string kPath = "top/words";
constexpr auto kMode = LogModeIndex::EnglishToJapaneseChoice;
constexpr std::int32_t kLeapDay1305Utc = 1709211900;

// Learner "me" with records of kPath in modes 0 and 1 (two runs in mode 1) and of "other".
CAnswerLog sampleLog()
{
    CAnswerLog log;
    CUserLog &me = log.addUserLog("me");
    CSectionLog &record = obtainSectionLog(me, kPath, kMode);
    addDrillRun(record, { 1, 2, 100, 200, 5 });
    addDrillRun(record, { 3, 4, kLeapDay1305Utc, kLeapDay1305Utc + 60, 7 });
    obtainSectionLog(me, "other", LogModeIndex::JapaneseToEnglishTyped);
    return log;
}

TEST(EraseAllHistory, RemovesEveryModeOfTheCollectionAfterYes)
{
    CAnswerLog log = sampleLog();
    CScriptedPrompter prompter;
    EXPECT_TRUE(eraseAllHistory(log, "me", kPath, TreeSelection::Collection, prompter));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0],
              messageOf(text("問題集 top/words の全回答履歴を消去しますか？"), text("履歴消去"),
                        Buttons::YesNo));
    ASSERT_EQ(log.users[0].sections.size(), 1u);
    EXPECT_EQ(log.users[0].sections[0].sectionName, "other");
}

TEST(EraseAllHistory, ChangesNothingOnNoForAFolderOrAnUnknownLearner)
{
    const struct
    {
        const char *user;
        TreeSelection selection;
        Reply reply;
        std::size_t asked;
    } rows[] = {
        { "me", TreeSelection::Collection, Reply::No, 1 },
        { "me", TreeSelection::Folder, Reply::Yes, 0 },
        { "me", TreeSelection::None, Reply::Yes, 0 },
        { "nobody", TreeSelection::Collection, Reply::Yes, 1 },
    };
    for (const auto &row : rows) {
        CAnswerLog log = sampleLog();
        const CAnswerLog before = log;
        CScriptedPrompter prompter;
        prompter.push(row.reply);
        EXPECT_FALSE(eraseAllHistory(log, row.user, kPath, row.selection, prompter));
        EXPECT_EQ(prompter.asked.size(), row.asked);
        EXPECT_EQ(log.users, before.users);
    }
}

TEST(EraseShownRun, RemovesTheRunAndKeepsTheTotals)
{
    setenv("TZ", "UTC", 1);
    tzset();
    CAnswerLog log = sampleLog();
    CScriptedPrompter prompter;
    EXPECT_TRUE(eraseShownRun(log, "me", kPath, kMode, 0, TreeSelection::Collection, prompter));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(
        prompter.asked[0],
        messageOf(
            text("問題集 top/words の 前回(2024-02-29(木) 13:05:00) の回答履歴を消去しますか？"),
            text("履歴消去"), Buttons::YesNo));
    const CSectionLog &record = *findLearnerRecord(log, "me", kPath, kMode);
    ASSERT_EQ(record.recentRuns.size(), 1u);
    EXPECT_EQ(record.recentRuns[0].correct, 1); // the older run is now 前回
    EXPECT_EQ(record.correctCount, 4);
    EXPECT_EQ(record.studyCount, 2);
}

TEST(EraseShownRun, RefusesAMissingRunAndIgnoresAMissingRecord)
{
    const struct
    {
        LogModeIndex mode;
        int run;
        TreeSelection selection;
        Reply reply;
        std::vector<std::string> told;
    } rows[] = {
        { kMode, 2, TreeSelection::Collection, Reply::Yes, { text("消去に失敗しました") } },
        { kMode, -1, TreeSelection::Collection, Reply::Yes, { text("消去に失敗しました") } },
        { LogModeIndex::SpeedReply, 0, TreeSelection::Collection, Reply::Yes, {} },
        { kMode, 0, TreeSelection::Folder, Reply::Yes, {} },
        { kMode, 1, TreeSelection::Collection, Reply::No, { "(question)" } },
    };
    for (const auto &row : rows) {
        CAnswerLog log = sampleLog();
        const CAnswerLog before = log;
        CScriptedPrompter prompter;
        prompter.push(row.reply);
        EXPECT_FALSE(eraseShownRun(log, "me", kPath, row.mode, row.run, row.selection, prompter));
        std::vector<std::string> told = prompter.texts();
        if (!told.empty() && prompter.asked[0].buttons == Buttons::YesNo)
            told = { "(question)" };
        EXPECT_EQ(told, row.told) << row.run;
        EXPECT_EQ(log.users, before.users);
    }
}

} // namespace
} // namespace kvr
