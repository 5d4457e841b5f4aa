#include <gtest/gtest.h>

#include "drill/testsupport_session.h"
#include "platform/cp932.h"

namespace kvr::session_test {
namespace {

using cp932::text;

TEST(DrillTiming, WrongAnswerFlashesByIncorrectWaitTimeEveryTime)
{
    const struct
    {
        int waitMs;
        int ticks; // flash ticks until the correction begins
    } rows[] = { { 0, 2 }, { 100, 3 }, { 600, 8 }, { 650, 8 }, { 700, 9 } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.waitMs);
        DrillRig rig;
        rig.settings.IncorrectWaitTime = row.waitMs;
        rig.start(setupOf(simpleQuestions(3)));
        ASSERT_TRUE(rig.awaitingAnswer());
        for (int question = 0; question < 2; ++question) {
            const int flashesBefore = rig.view().flashCount;
            rig.session().confirm("wrong");
            ASSERT_EQ(rig.view().state, DrillState::ShowingWrong);
            EXPECT_EQ(rig.timers.period(TIMER_WRONG_FLASH), kFlashPeriodMs);
            ASSERT_TRUE(rig.timers.fireRepeatedly(TIMER_WRONG_FLASH, row.ticks - 1));
            EXPECT_EQ(rig.view().state, DrillState::ShowingWrong);
            ASSERT_TRUE(rig.timers.fire(TIMER_WRONG_FLASH));
            EXPECT_EQ(rig.view().state, DrillState::Correcting);
            EXPECT_EQ(rig.view().flashCount - flashesBefore, row.ticks);
            EXPECT_FALSE(rig.timers.isRunning(TIMER_WRONG_FLASH));
            rig.correctAndWait();
        }
    }
}

TEST(DrillTiming, StartLimitRunningOutJudgesAnEmptyEntry)
{
    DrillRig rig;
    rig.settings.UseReplyStartLimitJe = true;
    rig.settings.ReplyStartLimitJe = 3000;
    rig.start(setupOf(simpleQuestions(2)));
    EXPECT_TRUE(rig.view().limitBarVisible);
    ASSERT_TRUE(rig.timers.fire(TIMER_NEXT));
    EXPECT_EQ(rig.timers.period(TIMER_START_LIMIT), kLimitTickMs);
    rig.timers.advance(1500);
    EXPECT_EQ(rig.view().limitBarValue, 500);
    rig.timers.advance(1500); // exactly the limit: not yet over
    EXPECT_EQ(rig.view().state, DrillState::Answering);
    rig.timers.advance(kLimitTickMs);
    EXPECT_EQ(rig.view().state, DrillState::ShowingWrong);
    EXPECT_EQ(rig.view().feedback, text("おいおい！ あきらめたのかっ？"));
    EXPECT_FALSE(rig.view().limitBarVisible);
    EXPECT_EQ(rig.view().incorrectNow.value, 1);
    rig.session().cancel();
    EXPECT_EQ(rig.results.reports.at(0).rows[0].value, text("3.0 秒")); // across the tick wrap
}

TEST(DrillTiming, FirstKeyStopsTheStartLimitAndHidesTheBarLater)
{
    DrillRig rig;
    rig.settings.UseReplyStartLimitJe = true;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.timers.fire(TIMER_NEXT));
    EXPECT_EQ(rig.session().keyPress({ DrillKey::Letter, 'A', true }), KeyAction::PassOn);
    EXPECT_TRUE(rig.timers.isRunning(TIMER_START_LIMIT)); // Ctrl held: not a first key
    EXPECT_EQ(rig.session().keyPress({ DrillKey::Letter, 'A' }), KeyAction::PassOn);
    EXPECT_FALSE(rig.timers.isRunning(TIMER_START_LIMIT));
    EXPECT_EQ(rig.timers.dueIn(TIMER_HIDE_BAR), kHideBarDelayMs);
    ASSERT_TRUE(rig.timers.fire(TIMER_HIDE_BAR));
    EXPECT_FALSE(rig.view().limitBarVisible);
    rig.timers.advance(10'000);
    EXPECT_EQ(rig.view().state, DrillState::Answering);
}

TEST(DrillTiming, ChoiceReplyLimitRunningOutCountsWrong)
{
    DrillRig rig;
    rig.settings.UseReplyLimitEJ4 = true;
    rig.settings.ReplyLimitEJ4 = 2000;
    rig.start(setupOf(simpleQuestions(6), DrillMode::EnglishToJapaneseChoice));
    ASSERT_TRUE(rig.timers.fire(TIMER_NEXT));
    EXPECT_EQ(rig.view().focus, DrillFocus::Choice1);
    rig.timers.advance(2000 + kLimitTickMs);
    ASSERT_EQ(rig.view().state, DrillState::ShowingWrong);
    EXPECT_EQ(rig.view().incorrectTotal.value, 1);
    for (const ControlView &button : rig.view().choiceButtons)
        EXPECT_FALSE(button.enabled);
    ASSERT_TRUE(rig.awaitingAnswer());

    const DrillView view = rig.view();
    ASSERT_EQ(view.state, DrillState::Correcting);
    const int right = static_cast<int>(view.focus) - static_cast<int>(DrillFocus::Choice1);
    EXPECT_EQ(view.feedback, text("正解は " + std::to_string(right + 1) + " 番でした。"));
    for (int row = 0; row < kChoiceCount; ++row)
        EXPECT_EQ(view.choiceButtons[static_cast<std::size_t>(row)].visible, row == right);
    EXPECT_EQ(view.choiceFields[static_cast<std::size_t>(right)].text, "q0");
}

TEST(DrillTiming, ChoicesAppearAfterTheShowLimitUnlessTheReplyLimitIsShorter)
{
    for (const int replyLimit : { 3000, 500 }) {
        SCOPED_TRACE(replyLimit);
        DrillRig rig;
        rig.settings.UseShowLimitJE4 = true;
        rig.settings.ShowLimitJE4 = 1000;
        rig.settings.UseReplyLimitJE4 = true;
        rig.settings.ReplyLimitJE4 = replyLimit;
        rig.start(setupOf(simpleQuestions(6), DrillMode::JapaneseToEnglishChoice));
        ASSERT_TRUE(rig.timers.fire(TIMER_NEXT));
        EXPECT_FALSE(rig.view().choiceButtons[0].visible);
        rig.timers.advance(1000 + kLimitTickMs);
        if (replyLimit > 1000) {
            EXPECT_EQ(rig.view().state, DrillState::Answering);
            EXPECT_TRUE(rig.view().choiceButtons[0].visible);
            EXPECT_TRUE(rig.view().choiceButtons[0].enabled);
        } else {
            EXPECT_EQ(rig.view().incorrectTotal.value, 1);
            EXPECT_FALSE(rig.timers.isRunning(TIMER_SHOW_CHOICES));
        }
    }
}

TEST(DrillTiming, ChoicePicksWaitTheirSettings)
{
    DrillRig rig;
    rig.settings.CorrectWaitTime = 300;
    rig.settings.IncorrectWaitTime = 200;
    rig.start(setupOf(simpleQuestions(6), DrillMode::JapaneseToEnglishChoice));
    ASSERT_TRUE(rig.awaitingAnswer());
    const int right = [&] {
        for (int row = 0; row < kChoiceCount; ++row)
            if (rig.view().choiceFields[static_cast<std::size_t>(row)].text == "a0")
                return row;
        return -1;
    }();
    ASSERT_GE(right, 0);
    rig.session().pickChoice(right);
    EXPECT_EQ(rig.view().feedback, text("正解！"));
    EXPECT_EQ(rig.timers.period(TIMER_NEXT), 300);
    for (int row = 0; row < kChoiceCount; ++row)
        EXPECT_EQ(rig.view().choiceButtons[static_cast<std::size_t>(row)].visible, row == right);
    ASSERT_TRUE(rig.awaitingAnswer());

    const int wrong = rig.view().choiceFields[0].text == "a1" ? 1 : 0;
    rig.session().pickChoice(wrong);
    ASSERT_TRUE(rig.awaitingAnswer());
    const int rightNow = static_cast<int>(rig.view().focus) - static_cast<int>(DrillFocus::Choice1);
    rig.session().pickChoice((rightNow + 1) % kChoiceCount);
    EXPECT_EQ(rig.view().feedback, text("違う！"));
    EXPECT_FALSE(rig.timers.isRunning(TIMER_NEXT));
    rig.session().pickChoice(rightNow);
    EXPECT_EQ(rig.view().feedback, "OK!");
    EXPECT_EQ(rig.timers.period(TIMER_NEXT), 200);
}

TEST(DrillTiming, UnknownTimerIsReportedAndStopped)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(1)));
    rig.timers.startTimer(8, 10);
    ASSERT_TRUE(rig.timers.fire(8));
    EXPECT_EQ(rig.prompter.asked,
              (std::vector<Message> { test::messageOf("Unknown TIMER event received...") }));
    EXPECT_FALSE(rig.timers.isRunning(8));
}

} // namespace
} // namespace kvr::session_test
