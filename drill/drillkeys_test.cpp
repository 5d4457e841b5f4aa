#include <gtest/gtest.h>

#include "db/question.h"
#include "drill/drilldisplay.h"
#include "drill/testsupport_session.h"
#include "platform/cp932.h"

namespace kvr::session_test {
namespace {

using cp932::text;

TEST(DrillKeys, F2CyclesThroughTheFirstCharacterOfEachAnswer)
{
    DrillRig rig;
    rig.start(setupOf({ questionLine("q0", { text("りんご"), "apple" }) }));
    ASSERT_TRUE(rig.awaitingAnswer());
    const char *const expected[][2] = { { "り", "答え 1 のヒントです" },
                                        { "a", "答え 2 のヒントです" },
                                        { "り", "答え 1 のヒントです" } };
    for (const auto &row : expected) {
        const int revision = rig.view().inputRevision;
        EXPECT_EQ(rig.session().keyPress({ DrillKey::F2 }), KeyAction::Consumed);
        EXPECT_EQ(rig.view().input.text, text(row[0]));
        EXPECT_EQ(rig.view().notice, text(row[1]));
        EXPECT_GT(rig.view().inputRevision, revision);
    }
    EXPECT_EQ(rig.timers.dueIn(TIMER_NOTICE), kNoticePeriodMs);
    ASSERT_TRUE(rig.timers.fire(TIMER_NOTICE));
    EXPECT_TRUE(rig.view().notice.empty());
}

TEST(DrillKeys, EnterAndEscapeDoNothingWhileAResultIsShown)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.session().confirm("x");
    ASSERT_EQ(rig.view().state, DrillState::ShowingWrong);
    EXPECT_EQ(rig.session().keyPress({ DrillKey::Escape }), KeyAction::Consumed);
    EXPECT_EQ(rig.session().keyPress({ DrillKey::Enter }), KeyAction::Consumed);
    EXPECT_EQ(rig.view().state, DrillState::ShowingWrong);
    EXPECT_FALSE(rig.view().closed);
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.session().setInput("a0");
    EXPECT_EQ(rig.session().keyPress({ DrillKey::Enter }), KeyAction::Consumed);
    EXPECT_EQ(rig.view().feedback, text("はい、ごくろうさま！"));
}

TEST(DrillKeys, LastQuestionMenuOnlyFromTheSecondQuestion)
{
    DrillRig rig;
    const std::vector<std::string> lines = simpleQuestions(2);
    rig.start(setupOf(lines));
    ASSERT_TRUE(rig.awaitingAnswer());
    EXPECT_FALSE(rig.view().lastQuestionButton.visible);
    EXPECT_EQ(rig.session().keyPress({ DrillKey::Letter, 'B', true }), KeyAction::Consumed);
    rig.answerAndWait("a0");
    EXPECT_TRUE(rig.view().lastQuestionButton.visible);
    EXPECT_EQ(rig.session().keyPress({ DrillKey::Letter, 'B', false, true }),
              KeyAction::OpenLastQuestionMenu);
    EXPECT_EQ(rig.session().lastQuestionLine(), lines[0]);
    rig.session().showSaveReport({ SaveReport::Notice, text("追加しました") });
    EXPECT_EQ(rig.view().notice, text("追加しました"));
}

// The row whose choice text is text, -1 when none.
int rowShowing(const DrillView &view, const std::string &text)
{
    for (int row = 0; row < kChoiceCount; ++row) {
        if (view.choiceFields[static_cast<std::size_t>(row)].text == text)
            return row;
    }
    return -1;
}

DrillKey digit(int row, bool alt = false, bool ctrl = false)
{
    DrillKey key { DrillKey::Digit, static_cast<char>('1' + row) };
    key.alt = alt;
    key.ctrl = ctrl;
    return key;
}

TEST(DrillKeys, DigitsOneToFourPickTheChoices)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(6), DrillMode::JapaneseToEnglishChoice));
    EXPECT_EQ(rig.session().keyPress(digit(0)), KeyAction::PassOn); // the countdown
    ASSERT_TRUE(rig.awaitingAnswer());
    const int right = rowShowing(rig.view(), "a0");
    ASSERT_GE(right, 0);
    // Other digits and Ctrl with a digit pick nothing.
    for (const DrillKey key : { DrillKey { DrillKey::Digit, '5' },
                                DrillKey { DrillKey::Digit, '0' }, digit(right, false, true) }) {
        EXPECT_EQ(rig.session().keyPress(key), KeyAction::PassOn) << key.letter;
        EXPECT_EQ(rig.view().state, DrillState::Answering);
    }
    EXPECT_EQ(rig.session().keyPress(digit(right)), KeyAction::Consumed);
    EXPECT_EQ(rig.view().state, DrillState::ShowingCorrect);
    EXPECT_EQ(rig.view().feedback, text("正解！"));
    ASSERT_TRUE(rig.awaitingAnswer());

    // Alt with the digit, as the mnemonic, picks too.
    const int rightNow = rowShowing(rig.view(), "a1");
    const int wrong = (rightNow + 1) % kChoiceCount;
    EXPECT_EQ(rig.session().keyPress(digit(wrong, true)), KeyAction::Consumed);
    EXPECT_EQ(rig.view().state, DrillState::ShowingWrong);
    ASSERT_TRUE(rig.awaitingAnswer());
    ASSERT_EQ(rig.view().state, DrillState::Correcting);
    EXPECT_EQ(rig.session().keyPress(digit(wrong)), KeyAction::Consumed);
    EXPECT_EQ(rig.view().feedback, text("違う！"));
    EXPECT_EQ(rig.session().keyPress(digit(rightNow)), KeyAction::Consumed);
    EXPECT_EQ(rig.view().feedback, "OK!");
    EXPECT_EQ(rig.view().incorrectTotal.value, 1);
}

TEST(DrillKeys, DigitsAreTypedInTheTypedModes)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.awaitingAnswer());
    EXPECT_EQ(rig.session().keyPress(digit(0)), KeyAction::PassOn);
    EXPECT_EQ(rig.view().state, DrillState::Answering);
}

TEST(DrillKeys, HintIsShownOnRequestOrAlways)
{
    for (const bool always : { false, true }) {
        SCOPED_TRACE(always);
        DrillRig rig;
        rig.settings.AlwaysShowHint = always;
        rig.start(setupOf(
            { questionLine("q0", { "a0" }, { "h1", "h2" }), questionLine("q1", { "a1" }) }));
        ASSERT_TRUE(rig.awaitingAnswer());
        EXPECT_EQ(rig.view().hintField.text, "h1\r\nh2");
        EXPECT_EQ(rig.view().hintField.visible, always);
        EXPECT_EQ(rig.view().hintButton.visible, !always);
        EXPECT_EQ(rig.session().keyPress({ DrillKey::Letter, 'G', true }), KeyAction::Consumed);
        EXPECT_TRUE(rig.view().hintField.visible);
        EXPECT_TRUE(rig.view().hintTitleShown);
        EXPECT_FALSE(rig.view().hintButton.visible);
        rig.answerAndWait("a0");
        EXPECT_FALSE(rig.view().hintField.visible); // q1 has no hints
        EXPECT_FALSE(rig.view().hintButton.visible);
    }
}

TEST(DrillKeys, F8PronouncesByMode)
{
    const struct
    {
        DrillMode mode;
        std::vector<std::string> spoken; // after three presses
    } rows[] = {
        { DrillMode::JapaneseToEnglishTyped, { "say a", "say b c", "say a" } },
        { DrillMode::EnglishToJapaneseTyped, { "say a b c", "say a b c", "say a b c" } },
        { DrillMode::SpeedReply, {} },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(static_cast<int>(row.mode));
        DrillRig rig;
        rig.settings.UseVoice = true;
        rig.settings.UseEJ4Voice = false;
        rig.start(setupOf({ questionLine("q", { "a", "b/c" }) }, row.mode));
        ASSERT_TRUE(rig.awaitingAnswer());
        rig.voice.take();
        for (int press = 0; press < 3; ++press)
            EXPECT_EQ(rig.session().keyPress({ DrillKey::F8 }), KeyAction::Consumed);
        EXPECT_EQ(rig.voice.take(), row.spoken);
    }
}

TEST(DrillKeys, F8CyclesTheAcceptedAnswersLikeF2AndSpeaksSlashesAsBlanks)
{
    DrillRig rig;
    rig.settings.UseVoice = true;
    // Answer 3 follows an empty answer 2, so only "x/y" is accepted.
    rig.start(setupOf({ questionLine("q", { "x/y", "", "z" }) }));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.voice.take();
    for (int press = 0; press < 2; ++press)
        rig.session().keyPress({ DrillKey::F8 });
    EXPECT_EQ(rig.voice.take(), (std::vector<std::string> { "say x y", "say x y" }));
}

TEST(DrillKeys, EnglishQuestionsArePronouncedWhenShown)
{
    const struct
    {
        DrillMode mode;
        std::vector<std::string> spoken;
    } rows[] = {
        { DrillMode::EnglishToJapaneseTyped, { "say a b c" } },
        { DrillMode::EnglishToJapaneseChoice, { "say a b c" } },
        { DrillMode::JapaneseToEnglishTyped, {} },
        { DrillMode::JapaneseToEnglishChoice, {} },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(static_cast<int>(row.mode));
        DrillRig rig;
        rig.settings.UseVoice = true;
        rig.start(setupOf({ questionLine("q", { "a", "b/c" }) }, row.mode));
        ASSERT_TRUE(rig.awaitingAnswer());
        EXPECT_EQ(rig.voice.take(), row.spoken);
    }
}

TEST(DrillDisplay, TwoLineFormSplitsAtHalf)
{
    const struct
    {
        std::vector<std::string> texts;
        std::array<std::string, 2> lines;
    } rows[] = {
        { {}, { "", "" } },
        { { "a" }, { "a", "" } },
        { { "a", "b" }, { "a", "b" } },
        { { "a", "b", "c" }, { "a/b", "c" } },
        { { "a", "b", "c", "d", "e" }, { "a/b/c", "d/e" } },
    };
    for (const auto &row : rows)
        EXPECT_EQ(twoLineForm(row.texts), row.lines);
}

TEST(DrillDisplay, QuestionBandByMode)
{
    CQuestion question;
    question.questionLines = { "q1%ve", "q2" };
    question.answers = { "run", "", "walk", "go", "" };
    const std::string q1 = "q1" + text("【動詞】");
    const struct
    {
        DrillMode mode;
        std::array<std::string, 2> band;
    } rows[] = {
        { DrillMode::JapaneseToEnglishTyped, { q1, "q2" } },
        { DrillMode::SpeedReply, { q1, "q2" } },
        { DrillMode::EnglishToJapaneseTyped, { "run/walk", "go" } },
        { DrillMode::EnglishToJapaneseChoice, { "run/walk", "go" } },
        // No part-of-speech code reaches the learner: the four-choice band shows it expanded.
        { DrillMode::JapaneseToEnglishChoice, { q1, "q2" } },
    };
    for (const auto &row : rows)
        EXPECT_EQ(questionBand(row.mode, question), row.band) << static_cast<int>(row.mode);
    EXPECT_EQ(joinedAnswers(question, ", "), "run, walk, go");
    EXPECT_EQ(wordCount(" I  am  here "), 3);
    EXPECT_EQ(wordCount(""), 0);
}

} // namespace
} // namespace kvr::session_test
