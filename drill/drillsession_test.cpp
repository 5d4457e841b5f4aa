#include <gtest/gtest.h>

#include "drill/testsupport_session.h"
#include "platform/cp932.h"
#include "platform/textfile.h"

namespace kvr::session_test {
namespace {

using cp932::text;

std::string reportValue(const DrillRig &rig, int row)
{
    return rig.results.reports.at(0).rows.at(static_cast<std::size_t>(row)).value;
}

TEST(DrillSession, CleanFirstPassEndsWithTheReportAndNoRetry)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(3)));
    EXPECT_EQ(rig.view().feedback, text("まもなく始まります。がんばってください！"));
    EXPECT_EQ(rig.timers.period(TIMER_NEXT), kStartDelayMs);
    ASSERT_TRUE(rig.awaitingAnswer());
    for (int n = 0; n < 3; ++n) {
        ASSERT_EQ(rig.view().questionLines[0], "q" + std::to_string(n));
        EXPECT_EQ(rig.view().pass, PassKind::First);
        EXPECT_EQ(rig.view().remaining.value, 2 - n);
        rig.answerAndWait("a" + std::to_string(n));
    }
    EXPECT_TRUE(rig.view().closed);
    EXPECT_EQ(rig.view().passList[3].colour, kActivePassColour);
    EXPECT_EQ(rig.view().passList[1].colour, kUnusedPassColour);
    ASSERT_EQ(rig.results.reports.size(), 1u);
    EXPECT_EQ(reportValue(rig, 3), "3");
    EXPECT_EQ(reportValue(rig, 4), "0");
    EXPECT_EQ(reportValue(rig, 1), text("6文字"));

    const CSectionLog *record = rig.record();
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(fileExists(rig.settings.LogPath));
    EXPECT_EQ(record->studyCount, 1);
    EXPECT_EQ(record->correctCount, 3);
    EXPECT_EQ(record->recentRuns.front().startTime, rig.clock.epoch + 1);
    EXPECT_EQ(record->seriesDone, 3);
    EXPECT_EQ(record->lastSeriesCount, 3);
    EXPECT_TRUE(record->lastMissed.empty());
    ASSERT_EQ(record->tallies().size(), 3u);
    for (const QuestionTally &tally : record->tallies())
        EXPECT_EQ(tally, (QuestionTally { { 1, 0, 0, 0, 0, 0, 0, 0 } }));
}

TEST(DrillSession, WrongAnswersRunRetryPassesThenTheFinalRetry)
{
    struct Step
    {
        PassKind pass;
        const char *round; // the pass list's "(%d 回目)" of the running re-answer pass
        int length;
        const char *question;
        const char *typed;
    };
    const Step script[] = {
        { PassKind::First, nullptr, 4, "q0", "a0" },
        { PassKind::First, nullptr, 4, "q1", "x" },
        { PassKind::First, nullptr, 4, "q2", "a2" },
        { PassKind::First, nullptr, 4, "q3", "x" },
        { PassKind::Retry, "(1 回目)", 2, "q1", "x" },
        { PassKind::Retry, "(1 回目)", 2, "q3", "a3" },
        { PassKind::Retry, "(2 回目)", 1, "q1", "a1" },
        { PassKind::FinalRetry, "(1 回目)", 2, "q1", "a1" },
        { PassKind::FinalRetry, "(1 回目)", 2, "q3", "a3" },
    };
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(4)));
    ASSERT_TRUE(rig.awaitingAnswer());
    for (const Step &step : script) {
        SCOPED_TRACE(step.question);
        const DrillView view = rig.view();
        ASSERT_EQ(view.pass, step.pass);
        EXPECT_EQ(view.allQuestions.value, step.length);
        EXPECT_EQ(view.progressMax, step.length);
        EXPECT_EQ(view.questionLines[0], step.question);
        if (step.pass == PassKind::First) {
            EXPECT_EQ(view.passList[1].colour,
                      view.incorrectTotal.value > 0 ? kPassColour : kUnusedPassColour);
        }
        if (step.pass == PassKind::Retry) {
            EXPECT_EQ(view.passList[1].detail, text(step.round));
            EXPECT_EQ(view.passList[1].colour, kActivePassColour);
            EXPECT_EQ(view.instruction, text("間違えた問題をもう１度訳そう！！"));
        } else if (step.pass == PassKind::FinalRetry) {
            EXPECT_EQ(view.passList[2].detail, text(step.round));
            EXPECT_EQ(view.instruction, text("間違えた問題を さらに もう一度訳そう！！"));
        }
        rig.answerAndWait(step.typed);
    }
    ASSERT_TRUE(rig.view().closed);
    EXPECT_EQ(reportValue(rig, 3), "6");
    EXPECT_EQ(reportValue(rig, 4), "3");
    EXPECT_EQ(reportValue(rig, 5), "9");

    const CSectionLog *record = rig.record();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->lastMissed, (std::vector<std::int32_t> { 1, 3 }));
    EXPECT_EQ(record->seriesDone, 4);
    const std::vector<QuestionTally> expected = {
        { { 1, 0, 0, 0, 0, 0, 0, 0 } },
        { { 0, 1, 2, 1, 0, 0, 0, 0 } },
        { { 1, 0, 0, 0, 0, 0, 0, 0 } },
        { { 0, 1, 2, 0, 0, 0, 0, 0 } },
    };
    EXPECT_EQ(record->tallies(), expected);
}

TEST(DrillSession, EveryAcceptedAnswerIsShownForOneCorrectWait)
{
    DrillRig rig;
    rig.settings.CorrectWaitTime = 400;
    rig.start(setupOf({ questionLine("q0", { "a", "b" }), questionLine("q1", { "c" }) }));
    ASSERT_TRUE(rig.awaitingAnswer());

    rig.session().confirm("a");
    EXPECT_EQ(rig.view().state, DrillState::Answering);
    EXPECT_EQ(rig.view().feedback, text("ほかには？"));
    EXPECT_TRUE(rig.view().input.text.empty());
    ASSERT_EQ(rig.view().answerMarks.size(), 2u);
    EXPECT_EQ(rig.view().answerMarks[0].mark, text("●"));
    EXPECT_EQ(rig.view().answerMarks[1].mark, text("○"));

    rig.session().confirm("b");
    const std::uint64_t judged = rig.clock.elapsedMs();
    EXPECT_EQ(rig.view().state, DrillState::ShowingCorrect);
    EXPECT_TRUE(rig.view().showCorrectAnswer);
    EXPECT_EQ(rig.view().shownAnswer, "a");
    EXPECT_EQ(rig.view().bigMarkText, text("○"));
    ASSERT_TRUE(rig.timers.fire(TIMER_ANSWER_STEP));
    EXPECT_EQ(rig.view().shownAnswer, "b");
    ASSERT_TRUE(rig.timers.fire(TIMER_ANSWER_STEP));
    EXPECT_EQ(rig.view().state, DrillState::Answering);
    EXPECT_EQ(rig.view().questionLines[0], "q1");
    EXPECT_EQ(rig.clock.elapsedMs() - judged, 800u);
    EXPECT_EQ(rig.voice.take(),
              (std::vector<std::string> { "play /snd/Correct.wav", "play /snd/Correct.wav" }));
}

TEST(DrillSession, TypedCorrectionTakesTheExpectedAnswersInOrder)
{
    DrillRig rig;
    rig.start(setupOf({ questionLine("q0", { "a", "b" }), questionLine("q1", { "c" }) }));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.session().confirm(" x ");
    EXPECT_EQ(rig.view().feedback, text("ざぁ～んねん、不正解！"));
    EXPECT_EQ(rig.view().bigMarkText, text("×"));
    EXPECT_FALSE(rig.view().input.enabled);
    EXPECT_EQ(rig.voice.take(), (std::vector<std::string> { "play /snd/Incorrect.wav" }));
    ASSERT_TRUE(rig.awaitingAnswer());

    EXPECT_EQ(rig.view().state, DrillState::Correcting);
    EXPECT_EQ(rig.view().feedback, text("正しい答えを入力しなさい！（間違った答え： x ）"));
    EXPECT_EQ(rig.view().answerDisplay.text, "a");
    EXPECT_TRUE(rig.view().input.enabled);
    rig.session().confirm("b");
    EXPECT_EQ(rig.view().feedback, text("ちがう！（間違った答え：b）"));
    rig.session().confirm("a");
    EXPECT_EQ(rig.view().feedback, text("これも入力しなさい！（最初の間違え： x ）"));
    EXPECT_EQ(rig.view().answerDisplay.text, "b");
    rig.session().confirm("b");
    EXPECT_EQ(rig.view().feedback, text("はい、ごくろうさま！"));
    EXPECT_EQ(rig.timers.period(TIMER_NEXT), rig.settings.IncorrectWaitTime);
    rig.session().confirm("b"); // the question is done: nothing more is judged
    EXPECT_EQ(rig.view().feedback, text("はい、ごくろうさま！"));
    ASSERT_TRUE(rig.timers.fire(TIMER_NEXT));
    EXPECT_EQ(rig.view().questionLines[0], "q1");
    EXPECT_EQ(rig.view().incorrectTotal.value, 1);
}

TEST(DrillSession, CountdownShowsTheLayoutOfTheMode)
{
    for (const DrillMode mode :
         { DrillMode::JapaneseToEnglishTyped, DrillMode::SpeedReply,
           DrillMode::EnglishToJapaneseTyped, DrillMode::EnglishToJapaneseChoice,
           DrillMode::JapaneseToEnglishChoice }) {
        SCOPED_TRACE(static_cast<int>(mode));
        DrillRig rig;
        rig.start(setupOf(simpleQuestions(4), mode));
        ASSERT_EQ(rig.view().state, DrillState::Starting);
        EXPECT_EQ(rig.view().answerDisplay.visible, !isChoiceMode(mode));
        EXPECT_EQ(rig.view().choiceBand, isChoiceMode(mode));
        EXPECT_EQ(rig.view().choiceFields[0].visible, isChoiceMode(mode));
        ASSERT_TRUE(rig.awaitingAnswer());
        EXPECT_EQ(rig.view().answerDisplay.visible, mode == DrillMode::SpeedReply);
    }
}

TEST(DrillSession, TypingSpeedIsNotShownBeforeAWholeSecondOfAnswering)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(3)));
    EXPECT_TRUE(rig.view().typingSpeed.empty());
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.timers.advance(999);
    rig.answerAndWait("a0");
    EXPECT_TRUE(rig.view().typingSpeed.empty());
    rig.timers.advance(1001);
    rig.answerAndWait("a1"); // 4 bytes in 2 whole seconds
    EXPECT_EQ(rig.view().typingSpeed, "120.00 [Chars/Min]");
}

TEST(DrillSession, EmptyCollectionEndsAtOnceWithoutHistory)
{
    DrillRig rig;
    rig.start(setupOf({ "# not a question" }));
    rig.timers.runUntilIdle();
    EXPECT_TRUE(rig.view().closed);
    EXPECT_EQ(rig.results.reports.size(), 1u);
    EXPECT_FALSE(fileExists(rig.settings.LogPath));
}

} // namespace
} // namespace kvr::session_test
