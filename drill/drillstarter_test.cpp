#include <gtest/gtest.h>
#include <unistd.h>

#include "app/commandline.h"
#include "app/kvrsettings.h"
#include "drill/drillstarter.h"
#include "drill/testsupport_drillstart.h"
#include "drill/testsupport_selection.h"
#include "platform/cp932.h"
#include "platform/namedmutex.h"
#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

using selection_test::FakeClock;
using selection_test::recordIn;
using selection_test::sectionOf;
using test::CScriptedPrompter;
using test::ScriptedModeChooser;
using test::ScriptedStartPrompter;

const std::string kPath = "top/words";

class DrillStarterTest : public testing::Test
{
protected:
    DrillStarterTest()
    {
        CFolder &top = m_root.addFolder();
        top.name = "top";
        top.addSection() = sectionOf(50, "words");
        m_settings.UserName = "learner";
        m_settings.LogMode = 1;
    }
    bool markerFree()
    {
        CNamedMutex probe;
        return probe.acquire(m_context.markerName);
    }
    std::optional<CDrillLaunch> start(std::string path)
    {
        WindowDrillRequest request;
        request.sectionPath = std::move(path);
        return start(std::move(request));
    }
    std::optional<CDrillLaunch> start(WindowDrillRequest request)
    {
        return startWindowDrill(m_context, m_dialogs, request);
    }

    CFolder m_root;
    CAnswerLog m_log;
    CKvrSettings m_settings;
    CScriptedPrompter m_prompter;
    FakeClock m_clock { 5000 };
    ScriptedModeChooser m_modes;
    ScriptedStartPrompter m_setupDialogs;
    DrillStartDialogs m_dialogs { m_modes, m_setupDialogs };
    DrillStartContext m_context {
        m_root,     m_log,   m_settings,
        m_prompter, m_clock, "USE_KVR_DATABASE-test-" + std::to_string(::getpid())
    };
};

TEST_F(DrillStarterTest, ReadyDrillHoldsTheMarkerUntilItDies)
{
    m_modes.replies = { 3 }; // 英和入力
    {
        auto launch = start(kPath);
        ASSERT_TRUE(launch);
        EXPECT_FALSE(markerFree());
        const DrillSetup &setup = launch->setup();
        EXPECT_EQ(setup.sectionPath, kPath);
        EXPECT_EQ(setup.sectionCopy.questionCount(), 50);
        EXPECT_EQ(launch->mode(), DrillMode::EnglishToJapaneseTyped);
        EXPECT_EQ(setup.requestedCount, 10);
        EXPECT_EQ(setup.orderSeed, 5000u);
        EXPECT_EQ(m_setupDialogs.asked, (std::vector<std::string> { "order", "count 50 20" }));
        CDrillLaunch moved = std::move(*launch);
        launch.reset();
        EXPECT_FALSE(markerFree()); // moving keeps it held
    }
    EXPECT_TRUE(markerFree());
    EXPECT_TRUE(m_prompter.asked.empty());
}

TEST_F(DrillStarterTest, TakenMarkerRefusesBeforeAnyDialog)
{
    CNamedMutex editor;
    ASSERT_TRUE(editor.acquire(m_context.markerName));
    EXPECT_FALSE(start(kPath));
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].text, cp932::text("既に回答中なので、回答できません。"));
    EXPECT_EQ(m_prompter.asked[0].caption, ""); // the program's name
    EXPECT_FALSE(m_prompter.asked[0].systemModal);
    EXPECT_EQ(m_modes.asked, 0);
    EXPECT_EQ(m_settings.LogMode, 1);
}

TEST_F(DrillStarterTest, ChosenModeIsStoredEvenWhenALaterStepStops)
{
    const struct
    {
        const char *name;
        std::optional<int> chosen;
        int pending;
        std::optional<bool> order;
        std::optional<int> count;
        int logMode; // afterwards
        int modeDialogs;
    } rows[] = {
        { "order cancelled", 3, -1, std::nullopt, 10, 2, 1 },
        { "count cancelled", 1, -1, false, std::nullopt, 4, 1 },
        { "mode cancelled", std::nullopt, -1, false, 10, 1, 1 },
        { "pending mode, no dialog", 0, 4, std::nullopt, 10, 3, 0 },
        { "chosen number out of range", 7, -1, std::nullopt, 10, 0, 1 },
        { "pending number out of range", 0, 9, std::nullopt, 10, 0, 0 },
    };
    for (const auto &row : rows) {
        m_settings.LogMode = 1;
        m_modes = ScriptedModeChooser {};
        m_modes.replies = { row.chosen };
        m_setupDialogs.order = row.order;
        m_setupDialogs.count = row.count;
        EXPECT_FALSE(start({ kPath, {}, -1, row.pending })) << row.name;
        EXPECT_EQ(m_settings.LogMode, row.logMode) << row.name;
        EXPECT_EQ(m_modes.asked, row.modeDialogs) << row.name;
        EXPECT_TRUE(markerFree()) << row.name;
    }
    EXPECT_TRUE(m_prompter.asked.empty());
}

TEST_F(DrillStarterTest, MissingCollectionIsReportedSystemModal)
{
    m_modes.replies = { 0 };
    EXPECT_FALSE(start("top/gone"));
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].text,
              cp932::text("問題集を取得できませんでした。(section top/gonenot found.)"));
    EXPECT_TRUE(m_prompter.asked[0].systemModal);
    EXPECT_TRUE(markerFree());
}

TEST_F(DrillStarterTest, TreeStartsOnlyFromACollection)
{
    const TreeNode tree = buildDatabaseTree(m_root);
    CNamedMutex editor; // a refused start would show a message
    ASSERT_TRUE(editor.acquire(m_context.markerName));
    EXPECT_FALSE(startFromTree(m_context, m_dialogs, tree, { 0 }, -1)); // the folder
    EXPECT_FALSE(startFromTree(m_context, m_dialogs, tree, {}, -1));
    EXPECT_TRUE(m_prompter.asked.empty());
    editor.close();

    auto launch = startFromTree(m_context, m_dialogs, tree, { 0, 0 }, 1);
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->setup().sectionPath, kPath);
    EXPECT_EQ(launch->mode(), DrillMode::SpeedReply);
    EXPECT_EQ(m_modes.asked, 0);
}

TEST_F(DrillStarterTest, RepeatCommandsStartWithTheirSelectionOrExplain)
{
    EXPECT_FALSE(repeatMissedQuestions(m_context, m_dialogs, kPath, DrillMode::SpeedReply));
    CSectionLog &record = recordIn(m_log, kPath, LogModeIndex::EnglishToJapaneseChoice);
    EXPECT_FALSE(repeatMissedQuestions(m_context, m_dialogs, kPath, DrillMode::SpeedReply));
    EXPECT_FALSE(repeatLastDrill(m_context, m_dialogs, kPath, DrillMode::SpeedReply));
    EXPECT_FALSE(repeatLastDrill(m_context, m_dialogs, "", DrillMode::SpeedReply));
    EXPECT_EQ(m_prompter.texts(),
              (std::vector<std::string> { cp932::text("まだ学習していません。"),
                                          cp932::text("前回は全問正解です！"),
                                          cp932::text("前回の学習問題数は 0 でした。") }));
    EXPECT_EQ(m_modes.asked, 0);

    record.lastMissed = { 4, 9 };
    auto missed = repeatMissedQuestions(m_context, m_dialogs, kPath, DrillMode::SpeedReply);
    ASSERT_TRUE(missed);
    EXPECT_EQ(missed->setup().selection, (std::vector<int> { 4, 9 }));
    EXPECT_EQ(missed->setup().requestedCount, -1);
    EXPECT_EQ(missed->mode(), DrillMode::SpeedReply);
    EXPECT_EQ(m_settings.LogMode, 4);
    EXPECT_EQ(m_setupDialogs.asked, std::vector<std::string> { "order" }); // no count dialog
    missed.reset();

    // A sequential series that has done 40, the last drill 20 of them: positions 20-39.
    CSectionLog &speedRecord = recordIn(m_log, kPath, LogModeIndex::SpeedReply);
    speedRecord.seriesSeed = 0;
    speedRecord.seriesDone = 40;
    speedRecord.lastSeriesCount = 20;
    auto last = repeatLastDrill(m_context, m_dialogs, kPath, DrillMode::EnglishToJapaneseChoice);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->setup().selection.size(), 20u);
    EXPECT_EQ(last->setup().selection.front(), 20);
    EXPECT_EQ(last->mode(), DrillMode::EnglishToJapaneseChoice);
}

TEST_F(DrillStarterTest, AutorunDrillNeedsNoDialogs)
{
    CCommandLine line = parseCommandLine({ "/autorun=0", "/s", kPath });
    m_settings.IsRandomMistakeReply = true;
    auto launch = prepareAutorunDrill(m_context, line);
    ASSERT_TRUE(launch);
    EXPECT_FALSE(launch->setup().sequentialOrder);
    EXPECT_TRUE(launch->setup().randomRetryOrder);
    EXPECT_EQ(launch->setup().requestedCount, 20);
    EXPECT_EQ(launch->mode(), DrillMode::JapaneseToEnglishTyped);
    EXPECT_EQ(launch->setup().orderSeed, 5000u);
    EXPECT_TRUE(launch->setup().selection.empty());
    EXPECT_FALSE(markerFree());
    launch.reset();

    // The series continues in the record of the drill's own mode; LogMode stays.
    CSectionLog &speed = recordIn(m_log, kPath, LogModeIndex::SpeedReply);
    speed.seriesSeed = 77;
    speed.seriesDone = 5;
    line.speedReply = true;
    launch = prepareAutorunDrill(m_context, line);
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->mode(), DrillMode::SpeedReply);
    EXPECT_EQ(launch->setup().orderSeed, 77u);
    EXPECT_EQ(launch->setup().orderSkip, 5);
    EXPECT_EQ(m_settings.LogMode, 1);
    EXPECT_EQ(m_modes.asked, 0);
    EXPECT_TRUE(m_setupDialogs.asked.empty());
    EXPECT_TRUE(m_prompter.asked.empty());
}

TEST_F(DrillStarterTest, AutorunWorstFirstAndFailures)
{
    CCommandLine line = parseCommandLine({ "/autorun=2", "/worst", "/s", kPath });
    EXPECT_FALSE(prepareAutorunDrill(m_context, line)); // no record: says why
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_NE(m_prompter.asked[0].text.find(cp932::text("学習の記録がまだありません")),
              std::string::npos);
    EXPECT_NE(m_prompter.asked[0].text.find(kPath), std::string::npos);
    EXPECT_TRUE(markerFree());
    m_prompter.asked.clear();

    // Under LogMode (英和４択): position 3 never right, 7 half right, the rest unanswered
    // come first for basis both, so give every other question a perfect rate.
    CSectionLog &record = recordIn(m_log, kPath, LogModeIndex::EnglishToJapaneseChoice);
    record.tallies().resize(50);
    for (auto &tally : record.tallies())
        tally.values[QuestionTally::FirstCorrect] = 1;
    record.tallies()[3].values[QuestionTally::FirstCorrect] = 0;
    record.tallies()[3].values[QuestionTally::FirstIncorrect] = 2;
    record.tallies()[7].values[QuestionTally::RetryIncorrect] = 1;
    auto launch = prepareAutorunDrill(m_context, line);
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->setup().selection, (std::vector<int> { 3, 7 }));
    launch.reset();

    CNamedMutex editor;
    ASSERT_TRUE(editor.acquire(m_context.markerName));
    EXPECT_FALSE(prepareAutorunDrill(m_context, line));
    editor.close();
    line.sectionPath = "top/gone";
    EXPECT_FALSE(prepareAutorunDrill(m_context, line));
    ASSERT_EQ(m_prompter.asked.size(), 2u);
    EXPECT_EQ(m_prompter.asked[0].text, cp932::text("既に回答中なので、回答できません。"));
    EXPECT_EQ(m_prompter.asked[0].caption, "error");
    EXPECT_EQ(m_prompter.asked[0].icon, Icon::None);
    EXPECT_FALSE(m_prompter.asked[0].systemModal);
    EXPECT_EQ(m_prompter.asked[1].text,
              cp932::text("問題集を取得できませんでした。(section top/gonenot found.)"));
    EXPECT_TRUE(m_prompter.asked[1].systemModal);
}

} // namespace
} // namespace kvr
