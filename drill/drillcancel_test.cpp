#include <gtest/gtest.h>

#include "drill/testsupport_session.h"
#include "platform/cp932.h"
#include "platform/textfile.h"

namespace kvr::session_test {
namespace {

using cp932::text;

const Message kRetryQuestion =
    test::messageOf(text("再回答を行いますか？\n（「いいえ」の場合、すぐに終了します。）"),
                    text("キャンセル？"), Buttons::YesNoCancel);

TEST(DrillCancel, OnTheFirstQuestionEndsAtOnceWithTheReport)
{
    for (const bool beforeFirstQuestion : { true, false }) {
        SCOPED_TRACE(beforeFirstQuestion);
        DrillRig rig;
        rig.start(setupOf(simpleQuestions(3)));
        if (!beforeFirstQuestion) {
            ASSERT_TRUE(rig.awaitingAnswer());
        }
        rig.session().cancel();
        EXPECT_TRUE(rig.view().closed);
        EXPECT_EQ(rig.results.reports.size(), 1u);
        EXPECT_TRUE(rig.prompter.asked.empty());
        EXPECT_FALSE(fileExists(rig.settings.LogPath)); // no answer: nothing recorded
        EXPECT_FALSE(rig.timers.isRunning(TIMER_NEXT));
    }
}

TEST(DrillCancel, AfterCorrectAnswersOnlyAdvancesTheSeriesByTheQuestionsDone)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(5)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("a0");
    rig.answerAndWait("a1");
    ASSERT_EQ(rig.view().questionLines[0], "q2");
    rig.session().keyPress({ DrillKey::Escape });
    EXPECT_TRUE(rig.prompter.asked.empty());
    ASSERT_TRUE(rig.view().closed);
    EXPECT_EQ(rig.results.reports.at(0).rows[3].value, "2");
    const CSectionLog *record = rig.record();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->seriesDone, 2);
    EXPECT_EQ(record->lastSeriesCount, 2);
}

TEST(DrillCancel, WithWrongAnswersAsksAndFollowsTheAnswer)
{
    for (const Reply answer : { Reply::Cancel, Reply::No, Reply::Yes }) {
        SCOPED_TRACE(static_cast<int>(answer));
        DrillRig rig;
        rig.start(setupOf(simpleQuestions(5)));
        ASSERT_TRUE(rig.awaitingAnswer());
        rig.answerAndWait("a0");
        rig.answerAndWait("x");
        rig.answerAndWait("a2");
        rig.prompter.push(answer);
        rig.session().cancel();
        EXPECT_EQ(rig.prompter.asked, (std::vector<Message> { kRetryQuestion }));

        if (answer == Reply::Cancel) {
            EXPECT_FALSE(rig.view().closed);
            EXPECT_EQ(rig.view().state, DrillState::Answering);
            EXPECT_EQ(rig.view().questionLines[0], "q3");
            rig.answerAndWait("a3"); // the drill goes on
            EXPECT_EQ(rig.view().questionLines[0], "q4");
            EXPECT_TRUE(rig.results.reports.empty());
            continue;
        }
        if (answer == Reply::Yes) {
            // The first pass ends after three questions; the missed one is asked again.
            ASSERT_EQ(rig.view().pass, PassKind::Retry);
            EXPECT_EQ(rig.view().allQuestions.value, 1);
            EXPECT_EQ(rig.view().questionLines[0], "q1");
            EXPECT_TRUE(rig.results.reports.empty());
            rig.answerAndWait("a1");
            ASSERT_EQ(rig.view().pass, PassKind::FinalRetry);
            rig.answerAndWait("a1");
        }
        ASSERT_TRUE(rig.view().closed);
        EXPECT_EQ(rig.results.reports.size(), 1u);
        const CSectionLog *record = rig.record();
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->studyCount, 1);
        EXPECT_EQ(record->lastMissed, (std::vector<std::int32_t> { 1 }));
        // Only a drill that ran to its end moves the series on.
        EXPECT_EQ(record->seriesDone, answer == Reply::Yes ? 3 : 0);
    }
}

TEST(DrillCancel, TheDrillStandsStillWhileTheQuestionIsOpen)
{
    DrillRig rig;
    rig.settings.UseReplyStartLimitJe = true;
    rig.settings.ReplyStartLimitJe = 3000;
    rig.start(setupOf(simpleQuestions(5)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("a0");
    rig.answerAndWait("x");
    rig.answerAndWait("a2");
    ASSERT_EQ(rig.view().questionLines[0], "q3");
    rig.timers.advance(1000);
    EXPECT_EQ(rig.view().limitBarValue, 333);

    // A real box keeps delivering timer events; ten seconds pass while it is open.
    int boxes = 0;
    rig.prompter.whileOpen = [&](const Message &) {
        ++boxes;
        EXPECT_FALSE(rig.timers.isRunning(TIMER_START_LIMIT));
        rig.timers.advance(10'000);
    };
    rig.prompter.push(Reply::Cancel);
    rig.session().cancel();
    ASSERT_EQ(boxes, 1);
    EXPECT_EQ(rig.view().state, DrillState::Answering);
    EXPECT_EQ(rig.view().questionLines[0], "q3");
    EXPECT_EQ(rig.timers.period(TIMER_START_LIMIT), kLimitTickMs);

    // The limit goes on where it stood: 2500 of 3000 ms used, not yet over.
    rig.timers.advance(1500);
    EXPECT_EQ(rig.view().state, DrillState::Answering);
    EXPECT_EQ(rig.view().limitBarValue, 833);
    rig.answerAndWait("a3");
    ASSERT_EQ(rig.view().questionLines[0], "q4");

    rig.prompter.push(Reply::No);
    rig.session().cancel();
    EXPECT_EQ(boxes, 2);
    ASSERT_TRUE(rig.view().closed);
    // The time in the boxes is no answer time.
    EXPECT_EQ(rig.results.reports.at(0).rows[0].value, text("2.5 秒"));
}

TEST(DrillCancel, YesWhileACorrectAnswerIsShownDoesNotSkipAQuestion)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(4)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("x");
    rig.session().confirm("a1");
    ASSERT_EQ(rig.view().state, DrillState::ShowingCorrect);
    rig.prompter.push(Reply::Yes);
    rig.session().cancel();
    ASSERT_EQ(rig.view().questionLines[0], "q0");
    EXPECT_FALSE(rig.timers.isRunning(TIMER_ANSWER_STEP));
}

TEST(DrillCancel, InAReanswerPassEndsWithoutAsking)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("x");
    rig.answerAndWait("a1");
    ASSERT_EQ(rig.view().pass, PassKind::Retry);
    rig.session().cancel();
    EXPECT_TRUE(rig.view().closed);
    EXPECT_TRUE(rig.prompter.asked.empty());
    EXPECT_EQ(rig.record()->seriesDone, 0);
}

TEST(DrillCancel, TheEndCommandCancelsUnlessItIsAnAnswer)
{
    DrillRig rig;
    rig.start(setupOf({ questionLine("q0", { "End" }), questionLine("q1", { "a1" }) }));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("END"); // accepted here: "End" ignoring case
    EXPECT_EQ(rig.view().correctTotal.value, 1);
    rig.session().confirm("END");
    EXPECT_TRUE(rig.view().closed);
    EXPECT_EQ(rig.results.reports.size(), 1u);
    EXPECT_EQ(rig.record()->seriesDone, 1);
}

TEST(DrillCancel, ExitClosesWithoutReportOrHistory)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(3)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("a0");
    rig.answerAndWait("x");
    rig.session().confirm("Exit");
    EXPECT_TRUE(rig.view().closed);
    EXPECT_EQ(rig.view().state, DrillState::Ended);
    EXPECT_TRUE(rig.results.reports.empty());
    EXPECT_TRUE(rig.prompter.asked.empty());
    EXPECT_FALSE(fileExists(rig.settings.LogPath));
    EXPECT_EQ(rig.record()->studyCount, 0);
    EXPECT_TRUE(rig.timers.runUntilIdle().empty());
}

TEST(DrillCancel, AFailedHistorySaveIsReported)
{
    DrillRig rig;
    rig.settings.LogPath = rig.folder.file("missing/translog.txt");
    rig.start(setupOf(simpleQuestions(1)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("a0");
    ASSERT_TRUE(rig.view().closed);
    ASSERT_EQ(rig.prompter.asked.size(), 1u);
    const Message &box = rig.prompter.asked[0];
    EXPECT_EQ(box.text,
              text("ログファイル ") + rig.settings.LogPath
                  + text(" を保存できませんでした。\n解答結果はプログラムを終了するまで保持され、"
                         "終了時にもう一度保存を試みます。"));
    EXPECT_EQ(box.caption, "Error!");
    EXPECT_TRUE(box.systemModal);
    EXPECT_EQ(rig.record()->studyCount, 1); // kept in memory for the next save
    EXPECT_TRUE(rig.log.hasUnsavedChanges());
}

// Regression: the drill was recorded only after the report closed, so a logout while
// "解答結果！" was open lost it.
TEST(DrillCancel, TheDrillIsSavedBeforeTheReportOpens)
{
    DrillRig rig;
    bool savedWhenShown = false;
    rig.results.onShow = [&] {
        CAnswerLog onDisk;
        savedWhenShown = onDisk.loadAnswerLog(rig.settings.LogPath) && onDisk.users.size() == 1
            && onDisk.users[0].sections.size() == 1 && onDisk.users[0].sections[0].studyCount == 1;
    };
    rig.start(setupOf(simpleQuestions(1)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("a0");
    ASSERT_TRUE(rig.view().closed);
    ASSERT_EQ(rig.results.reports.size(), 1u);
    EXPECT_TRUE(savedWhenShown);
    EXPECT_EQ(rig.record()->studyCount, 1);
}

} // namespace
} // namespace kvr::session_test
