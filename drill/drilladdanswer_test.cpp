// "この答えも正解に追加(&A)" in the drill: when it is offered, what it hands the answer store,
// and that a refusal leaves the question in the correction.
#include <gtest/gtest.h>

#include "drill/testsupport_session.h"
#include "platform/cp932.h"

namespace kvr::session_test {
namespace {

struct AddRig
{
    explicit AddRig(std::vector<std::string> lines = simpleQuestions(2),
                    DrillMode mode = DrillMode::JapaneseToEnglishTyped)
    {
        rig.answerStore = &store;
        rig.start(setupOf(std::move(lines), mode));
        EXPECT_TRUE(rig.awaitingAnswer());
    }
    void answerWrong(const std::string &typed, bool storable = true)
    {
        rig.session().setInput(typed, storable);
        rig.session().confirm();
        ASSERT_TRUE(rig.awaitingAnswer());
        ASSERT_EQ(rig.view().state, DrillState::Correcting);
    }
    RecordingAnswerStore store;
    DrillRig rig;
};

TEST(DrillAddAnswer, TheTypedAnswerGoesToTheStoreAndCountsAsRight)
{
    AddRig add;
    add.answerWrong(" apple ");
    EXPECT_TRUE(add.rig.view().addAnswerButton.visible && add.rig.view().addAnswerButton.enabled);
    add.rig.session().addAnswerAsCorrect();
    ASSERT_EQ(add.store.added.size(), 1u);
    EXPECT_EQ(add.store.added[0].sectionPath, "Folder/Words");
    EXPECT_EQ(add.store.added[0].position, 0);
    EXPECT_EQ(add.store.added[0].questionLine, simpleQuestions(1)[0]);
    EXPECT_EQ(add.store.added[0].answer, "apple");
    EXPECT_EQ(add.rig.view().state, DrillState::ShowingCorrect);
    EXPECT_EQ(add.rig.view().correctNow.value, 1);
    EXPECT_EQ(add.rig.view().incorrectNow.value, 0);
    EXPECT_EQ(add.rig.view().notice, answerAddedText());
    EXPECT_FALSE(add.rig.view().addAnswerButton.visible);
}

TEST(DrillAddAnswer, ARefusalIsToldAndTheCorrectionGoesOn)
{
    struct Case
    {
        const char *what;
        bool storable;
        SaveReport reply;
        std::string told;
        std::size_t storeCalls;
    };
    const Case cases[] = {
        { "refused by the store",
          true,
          { SaveReport::MessageBox, answerEditorRunningText() },
          answerEditorRunningText(),
          1 },
        { "not storable", false, {}, answerNotCp932Text(), 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        AddRig add;
        add.store.reply = c.reply;
        add.answerWrong("apple", c.storable);
        add.rig.session().addAnswerAsCorrect();
        EXPECT_EQ(add.store.added.size(), c.storeCalls);
        EXPECT_EQ(add.rig.prompter.texts(), std::vector<std::string> { c.told });
        EXPECT_EQ(add.rig.view().state, DrillState::Correcting);
        EXPECT_EQ(add.rig.view().incorrectNow.value, 1);
        EXPECT_TRUE(add.rig.view().acceptButton.visible); // "正解にする" still works
    }
}

TEST(DrillAddAnswer, NotOfferedWhereTheAnswerHasNoPlace)
{
    const std::string full = questionLine("q", { "a1", "a2", "a3", "a4", "a5" });
    struct Case
    {
        const char *what;
        std::vector<std::string> lines;
        DrillMode mode;
        bool withStore;
    };
    const Case cases[] = {
        { "five answers", { full }, DrillMode::JapaneseToEnglishTyped, true },
        { "the meaning is typed", simpleQuestions(1), DrillMode::EnglishToJapaneseTyped, true },
        { "no store", simpleQuestions(1), DrillMode::JapaneseToEnglishTyped, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RecordingAnswerStore store;
        DrillRig rig;
        rig.answerStore = c.withStore ? &store : nullptr;
        rig.start(setupOf(c.lines, c.mode));
        ASSERT_TRUE(rig.awaitingAnswer());
        rig.session().confirm("zzz");
        ASSERT_TRUE(rig.awaitingAnswer());
        ASSERT_EQ(rig.view().state, DrillState::Correcting);
        EXPECT_TRUE(rig.view().acceptButton.visible);
        EXPECT_FALSE(rig.view().addAnswerButton.visible);
        rig.session().addAnswerAsCorrect();
        EXPECT_TRUE(store.added.empty());
        EXPECT_EQ(rig.view().state, DrillState::Correcting);
    }
}

// The drill's own copy takes the answer: a later pass judges the question with it, as one
// more answer to enter (unless the MultiJudge setting lets one of several do).
TEST(DrillAddAnswer, TheFinalPassKnowsTheAddedAnswer)
{
    AddRig add;
    add.rig.answerAndWait("a0");
    add.rig.answerAndWait("x"); // q1 missed in the first pass
    ASSERT_EQ(add.rig.view().pass, PassKind::Retry);
    add.answerWrong("apple");
    add.rig.session().addAnswerAsCorrect();
    ASSERT_TRUE(add.rig.awaitingAnswer());
    ASSERT_EQ(add.rig.view().pass, PassKind::FinalRetry);
    ASSERT_EQ(add.rig.view().questionLines[0], "q1");
    add.rig.session().confirm("apple");
    EXPECT_EQ(add.rig.view().feedback, cp932::text("ほかには？"));
    add.rig.session().confirm("a1");
    EXPECT_EQ(add.rig.view().state, DrillState::ShowingCorrect);
}

} // namespace
} // namespace kvr::session_test
