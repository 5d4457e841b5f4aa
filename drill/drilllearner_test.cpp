// The drill's helps for learners: full-width typing read as half-width, the drill of the
// questions just missed, started from the result report, and "正解にする(&O)".
#include <gtest/gtest.h>

#include "drill/testsupport_session.h"
#include "platform/cp932.h"

namespace kvr::session_test {
namespace {

using cp932::text;

const std::string kWidthNotice = text("全角で入力されています（IMEがオンのままです）");

TEST(DrillWidthFolding, AFullWidthAnswerIsRightWithTheNoticeOnlyWhenSwitchedOn)
{
    for (const bool fold : { true, false }) {
        DrillRig rig;
        rig.settings.FoldFullWidth = fold;
        rig.start(setupOf(simpleQuestions(2)));
        ASSERT_TRUE(rig.awaitingAnswer());
        rig.session().confirm(text("ａ０　"));
        EXPECT_EQ(rig.view().state, fold ? DrillState::ShowingCorrect : DrillState::ShowingWrong);
        EXPECT_EQ(rig.view().notice, fold ? kWidthNotice : "");
        EXPECT_EQ(rig.view().correctNow.value, fold ? 1 : 0);
        if (fold) { // the notice goes like every notice
            ASSERT_TRUE(rig.timers.fire(TIMER_NOTICE));
            EXPECT_EQ(rig.view().notice, "");
        }
    }
}

TEST(DrillWidthFolding, TheCorrectionAcceptsTheFoldedAnswerWithTheNotice)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.session().confirm("x");
    ASSERT_TRUE(rig.awaitingAnswer());
    ASSERT_EQ(rig.view().state, DrillState::Correcting);
    EXPECT_EQ(rig.view().notice, "");
    rig.session().confirm(text("ａ０"));
    EXPECT_EQ(rig.view().feedback, text("はい、ごくろうさま！"));
    EXPECT_EQ(rig.view().notice, kWidthNotice);
    EXPECT_EQ(rig.view().incorrectNow.value, 1); // the correction changes no result
}

// Four questions asked in the order q3, q1, q0, q2; q3 and q1 are missed.
DrillSetup fourInMixedOrder(DrillMode mode)
{
    DrillSetup setup = setupOf(simpleQuestions(4), mode);
    setup.selection = { 3, 1, 0, 2 };
    return setup;
}

TEST(DrillMissedAgain, TheReportStartsADrillOfTheMissedQuestionsInTheirOrder)
{
    DrillRig rig;
    rig.results.action = ReportAction::RetryMissed;
    CDrillSession &first = rig.start(fourInMixedOrder(DrillMode::SpeedReply));
    ASSERT_TRUE(rig.awaitingAnswer());
    for (const char *typed : { "x", "x", "a0", "a2", "a3", "a1", "a3", "a1" })
        rig.answerAndWait(typed);
    ASSERT_TRUE(rig.view().closed);
    ASSERT_EQ(rig.results.reports.size(), 1u);
    EXPECT_TRUE(rig.results.reports[0].retryMissedEnabled);

    ASSERT_TRUE(first.followUpDrill().has_value());
    const DrillSetup next = *first.followUpDrill();
    EXPECT_EQ(next.selection, (std::vector<int> { 3, 1 }));
    EXPECT_EQ(next.drillMode, DrillMode::SpeedReply);
    EXPECT_EQ(next.sectionPath, "Folder/Words");
    EXPECT_EQ(next.sectionCopy.lines, simpleQuestions(4));

    // It runs and is recorded like any drill; it asks q3, then q1, and leaves the series.
    const int seriesDone = rig.record()->seriesDone;
    rig.results.action = ReportAction::Close;
    rig.start(next);
    ASSERT_TRUE(rig.awaitingAnswer());
    for (const char *question : { "q3", "q1" }) {
        ASSERT_EQ(rig.view().questionLines[0], question);
        rig.answerAndWait("a" + std::string(question + 1));
    }
    ASSERT_TRUE(rig.view().closed);
    ASSERT_EQ(rig.results.reports.size(), 2u);
    EXPECT_FALSE(rig.results.reports[1].retryMissedEnabled);
    EXPECT_FALSE(rig.session().followUpDrill().has_value());
    const CSectionLog *record = rig.record();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->recentRuns.size(), 2u);
    EXPECT_EQ(record->recentRuns.front().correct + record->recentRuns.back().correct, 8);
    EXPECT_TRUE(record->lastMissed.empty());
    EXPECT_EQ(record->seriesDone, seriesDone);
}

TEST(DrillMissedAgain, NothingFollowsWithoutMissesOrWhenTheReportIsClosed)
{
    const struct
    {
        ReportAction action;
        const char *secondAnswer;
        bool enabled, follows;
    } rows[] = {
        { ReportAction::RetryMissed, "a1", false, false },
        { ReportAction::Close, "x", true, false },
        { ReportAction::RetryMissed, "x", true, true },
    };
    for (const auto &row : rows) {
        DrillRig rig;
        rig.results.action = row.action;
        rig.start(setupOf(simpleQuestions(2)));
        ASSERT_TRUE(rig.awaitingAnswer());
        rig.answerAndWait("a0");
        rig.answerAndWait(row.secondAnswer);
        rig.session().cancel(); // the re-answer pass ends without asking
        ASSERT_TRUE(rig.view().closed);
        ASSERT_EQ(rig.results.reports.size(), 1u);
        EXPECT_EQ(rig.results.reports[0].retryMissedEnabled, row.enabled);
        EXPECT_EQ(rig.session().followUpDrill().has_value(), row.follows);
    }
}

TEST(DrillMissedAgain, TheSetUpKeepsEachMissedQuestionOnceInOrder)
{
    DrillSetup finished = fourInMixedOrder(DrillMode::JapaneseToEnglishChoice);
    finished.sequentialOrder = false;
    finished.randomRetryOrder = true;
    finished.requestedCount = 2;
    finished.orderSeed = 77;
    finished.orderSkip = 5;
    finished.newSeries = true;
    const DrillSetup next = missedQuestionsSetup(finished, { 2, 0, 2, 3 });
    EXPECT_EQ(next.selection, (std::vector<int> { 2, 0, 3 }));
    EXPECT_TRUE(next.sequentialOrder);
    EXPECT_TRUE(next.randomRetryOrder);
    EXPECT_EQ(next.requestedCount, -1);
    EXPECT_EQ(next.orderSeed, 0u);
    EXPECT_EQ(next.orderSkip, 0);
    EXPECT_FALSE(next.newSeries);
    EXPECT_EQ(next.drillMode, DrillMode::JapaneseToEnglishChoice);
}

// Types a wrong answer and waits for the correction.
void answerWrong(DrillRig &rig, const std::string &typed)
{
    rig.session().confirm(typed);
    ASSERT_TRUE(rig.awaitingAnswer());
    ASSERT_EQ(rig.view().state, DrillState::Correcting);
}

TEST(DrillAcceptAsCorrect, AWrongAnswerTakenAsRightIsRightEverywhere)
{
    for (const bool byKey : { false, true }) {
        DrillRig rig;
        rig.start(setupOf(simpleQuestions(3)));
        ASSERT_TRUE(rig.awaitingAnswer());
        EXPECT_FALSE(rig.view().acceptButton.visible); // not while answering
        answerWrong(rig, "a-0");
        EXPECT_TRUE(rig.view().acceptButton.visible && rig.view().acceptButton.enabled);
        EXPECT_EQ(rig.view().incorrectNow.value, 1);
        if (byKey) {
            DrillKey ctrlEnter;
            ctrlEnter.code = DrillKey::Enter;
            ctrlEnter.ctrl = true;
            EXPECT_EQ(rig.session().keyPress(ctrlEnter), KeyAction::Consumed);
        } else {
            rig.session().acceptAsCorrect();
        }
        EXPECT_EQ(rig.view().state, DrillState::ShowingCorrect);
        EXPECT_FALSE(rig.view().acceptButton.visible);
        EXPECT_EQ(rig.view().correctNow.value, 1);
        EXPECT_EQ(rig.view().incorrectNow.value, 0);
        EXPECT_EQ(rig.view().shownAnswer, "a0"); // the answer as stored is shown
        ASSERT_TRUE(rig.awaitingAnswer());
        rig.answerAndWait("a1");
        rig.answerAndWait("a2");

        // No re-answer pass: the first pass was all right.
        ASSERT_TRUE(rig.view().closed);
        ASSERT_EQ(rig.results.reports.size(), 1u);
        EXPECT_EQ(rig.results.reports[0].rows[3].value, "3");
        EXPECT_EQ(rig.results.reports[0].rows[4].value, "0");
        EXPECT_FALSE(rig.results.reports[0].retryMissedEnabled);
        const CSectionLog *record = rig.record();
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->recentRuns.front().correct, 3);
        EXPECT_EQ(record->recentRuns.front().incorrect, 0);
        EXPECT_TRUE(record->lastMissed.empty());
        EXPECT_EQ(record->tallies().at(0), (QuestionTally { { 1, 0, 0, 0, 0, 0, 0, 0 } }));
    }
}

TEST(DrillAcceptAsCorrect, InAReanswerPassItEndsTheRetriesButNotTheFinalPass)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("a0");
    rig.answerAndWait("x"); // q1 missed in the first pass
    ASSERT_EQ(rig.view().pass, PassKind::Retry);
    answerWrong(rig, "a-1");
    rig.session().acceptAsCorrect();
    ASSERT_TRUE(rig.awaitingAnswer());
    // No second Retry pass; the final pass still asks the first pass's miss.
    EXPECT_EQ(rig.view().pass, PassKind::FinalRetry);
    EXPECT_EQ(rig.view().questionLines[0], "q1");
    rig.answerAndWait("a1");
    ASSERT_TRUE(rig.view().closed);
    const CSectionLog *record = rig.record();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->tallies().at(1), (QuestionTally { { 0, 1, 2, 0, 0, 0, 0, 0 } }));
    EXPECT_EQ(record->lastMissed, (std::vector<std::int32_t> { 1 }));
}

TEST(DrillAcceptAsCorrect, NotOfferedForAnEmptyAnswerNorInTheFourChoiceModes)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.awaitingAnswer());
    answerWrong(rig, " ");
    EXPECT_FALSE(rig.view().acceptButton.visible);
    rig.session().acceptAsCorrect();
    EXPECT_EQ(rig.view().state, DrillState::Correcting);
    EXPECT_EQ(rig.view().incorrectNow.value, 1);

    DrillRig choices;
    choices.start(setupOf(simpleQuestions(4), DrillMode::JapaneseToEnglishChoice));
    ASSERT_TRUE(choices.awaitingAnswer());
    ASSERT_EQ(choices.view().questionLines[0], "q0");
    int wrongRow = 0;
    while (choices.view().choiceFields[wrongRow].text == "a0")
        ++wrongRow;
    choices.session().pickChoice(wrongRow);
    ASSERT_TRUE(choices.awaitingAnswer());
    ASSERT_EQ(choices.view().state, DrillState::Correcting);
    EXPECT_FALSE(choices.view().acceptButton.visible);
    choices.session().acceptAsCorrect();
    EXPECT_EQ(choices.view().incorrectNow.value, 1);
}

} // namespace
} // namespace kvr::session_test
