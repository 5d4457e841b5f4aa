#include <gtest/gtest.h>
#include <set>

#include "drill/drillsetup.h"
#include "drill/fourchoice.h"
#include "drill/testsupport_selection.h"
#include "drill/testsupport_session.h"
#include "platform/cp932.h"
#include "platform/crand.h"

namespace kvr {
namespace {

using selection_test::sectionOf;

constexpr DrillMode kEJ4 = DrillMode::EnglishToJapaneseChoice;
constexpr DrillMode kJE4 = DrillMode::JapaneseToEnglishChoice;

TEST(ChoiceText, StopsAtTheFirstEmptyTextPerMode)
{
    CQuestion q;
    q.questionLines = { "%no" + cp932::text("走ること"), "run" };
    q.answers = { "run", "", "walk", "", "" };
    EXPECT_EQ(choiceText(q, kJE4), "run");
    q.answers = { "run", "dash", "sprint", "", "x" };
    EXPECT_EQ(choiceText(q, kJE4), "run/dash/sprint");
    EXPECT_EQ(choiceText(q, kEJ4), cp932::text("【名詞】走ること") + "run");
    q.questionLines = { "", "hidden" };
    EXPECT_EQ(choiceText(q, kEJ4), "");
    EXPECT_EQ(choiceText(q, DrillMode::SpeedReply), "");
}

TEST(BuildChoices, DistractorsAreThreeDistinctOtherQuestions)
{
    CSection section = sectionOf(10);
    section.lines.push_back("plain, not a question");
    crt::srand(99);
    for (int round = 0; round < 500; ++round) {
        const int current = round % 10;
        const FourChoices choices = buildChoices(section, current, kJE4);
        std::set<int> distractors;
        for (int row = 0; row < kChoiceCount; ++row) {
            const ChoiceSlot &slot = choices.rows[row];
            ASSERT_TRUE(slot.available);
            if (row == choices.choicePosition) {
                EXPECT_EQ(slot.position, current);
                EXPECT_EQ(slot.text, "a" + std::to_string(current));
                continue;
            }
            EXPECT_NE(slot.position, current);
            EXPECT_GE(slot.position, 0);
            EXPECT_LT(slot.position, 10);
            EXPECT_EQ(slot.text, "a" + std::to_string(slot.position));
            distractors.insert(slot.position);
        }
        EXPECT_EQ(distractors.size(), 3u);
    }
}

TEST(BuildChoices, RightChoiceLandsOnEveryRowAboutEquallyOften)
{
    const CSection section = sectionOf(10);
    int hits[kChoiceCount] = {};
    crt::srand(2024);
    constexpr int rounds = 8000;
    for (int round = 0; round < rounds; ++round)
        ++hits[buildChoices(section, round % 10, kEJ4).choicePosition];
    for (int count : hits) {
        EXPECT_GT(count, rounds / 4 * 9 / 10);
        EXPECT_LT(count, rounds / 4 * 11 / 10);
    }
}

TEST(BuildChoices, SmallCollectionsAlwaysPlaceTheRightChoice)
{
    for (int size = 1; size <= 3; ++size) {
        const CSection section = sectionOf(size);
        crt::srand(static_cast<std::uint32_t>(size));
        for (int round = 0; round < 40; ++round) {
            const int current = round % size;
            const FourChoices choices = buildChoices(section, current, kJE4);
            const ChoiceSlot &right = choices.rows[choices.choicePosition];
            EXPECT_TRUE(right.available);
            EXPECT_EQ(right.position, current);
            int available = 0;
            for (const ChoiceSlot &slot : choices.rows) {
                available += slot.available;
                if (!slot.available) {
                    EXPECT_TRUE(slot.text.empty());
                    EXPECT_EQ(slot.position, -1);
                }
            }
            EXPECT_EQ(available, size);
            const ChoiceButtons shown = buttonsOnShow(choices);
            for (int row = 0; row < kChoiceCount; ++row)
                EXPECT_EQ(shown.visible[row], choices.rows[row].available);
        }
    }
}

TEST(Picking, OnlyTheRightRowCountsAndButtonsFollowEachStep)
{
    for (const auto &[id, row] : { std::pair { 1011, -1 }, { 1012, 0 }, { 1015, 3 }, { 1016, -1 } })
        EXPECT_EQ(choiceRowOfButton(id), row) << id;

    FourChoices choices;
    choices.choicePosition = 1;
    for (int row = 0; row < kChoiceCount; ++row)
        choices.rows[row] = { "t" + std::to_string(row), row, true };
    for (const auto &[pick, right] : { std::pair { -1, false }, { 0, false }, { 1, true } }) {
        EXPECT_EQ(isRightPick(choices, pick), right) << pick;
        EXPECT_EQ(correctionFeedback(choices, pick), right ? "OK!" : cp932::text("違う！"));
    }
    EXPECT_EQ(correctionPrompt(choices), cp932::text("正解は 2 番でした。"));
    EXPECT_EQ(spokenChoiceText("run/dash/go"), "run dash go");

    using Flags = std::array<bool, kChoiceCount>;
    const Flags onlyRight = { false, true, false, false }, all = { true, true, true, true };
    const struct
    {
        ChoiceButtons buttons;
        Flags visible, enabled;
    } rows[] = {
        { buttonsOnShow(choices), all, all },
        { buttonsAfterRightPick(1), onlyRight, onlyRight },
        { buttonsAfterWrongPick(choices), all, {} },
        { buttonsInCorrection(choices), onlyRight, onlyRight },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(row.buttons.visible, row.visible);
        EXPECT_EQ(row.buttons.enabled, row.enabled);
    }
}

// A collection whose "和英４択" texts are the given answers, in order.
CSection sectionWithAnswers(const std::vector<std::string> &answers)
{
    CSection section;
    section.name = "s";
    for (std::size_t i = 0; i < answers.size(); ++i)
        section.lines.push_back(
            session_test::questionLine("q" + std::to_string(i), { answers[i] }));
    return section;
}

// The rows as the plain draws give them: choicePosition, then one drawRandom per row.
std::array<int, kChoiceCount> plainDraws(const CSection &section, int current)
{
    std::array<int, kChoiceCount> positions {};
    const int right = crt::rand() % kChoiceCount;
    std::vector<int> pool = buildQuestionPool(section);
    std::erase(pool, current);
    for (int row = 0; row < kChoiceCount; ++row)
        positions[row] = row == right ? current : drawRandom(pool);
    return positions;
}

std::array<int, kChoiceCount> positionsOf(const FourChoices &choices)
{
    std::array<int, kChoiceCount> positions {};
    for (int row = 0; row < kChoiceCount; ++row)
        positions[row] = choices.rows[row].position;
    return positions;
}

TEST(BuildChoices, WithoutARepeatedTextTheDrawsAreThePlainOnes)
{
    const struct
    {
        std::vector<std::string> answers;
        int current;
    } collections[] = {
        { { "a", "b", "c", "d", "e", "f" }, 2 },
        { { "a", "b", "c" }, 0 }, // too few for three distractors
        { { "run", "run", "run", "run", "run" }, 1 }, // nothing else to draw
        { { "run", "run" }, 0 },
    };
    for (const auto &collection : collections) {
        const CSection section = sectionWithAnswers(collection.answers);
        for (std::uint32_t seed = 1; seed < 200; ++seed) {
            crt::srand(seed);
            const std::array<int, kChoiceCount> expected = plainDraws(section, collection.current);
            const int nextDraw = crt::rand();
            crt::srand(seed);
            EXPECT_EQ(positionsOf(buildChoices(section, collection.current, kJE4)), expected)
                << seed;
            EXPECT_EQ(crt::rand(), nextDraw) << seed;
        }
    }
}

TEST(BuildChoices, DistractorsReadingLikeTheRightChoiceAreDrawnAgain)
{
    // "run" three times, three other words: a row never shows "run" twice, and every row
    // is filled with a different question.
    const CSection section = sectionWithAnswers({ "run", "walk", "run", "swim", "run", "jump" });
    crt::srand(7);
    for (int round = 0; round < 300; ++round) {
        const FourChoices choices = buildChoices(section, 0, kJE4);
        std::set<int> positions;
        for (int row = 0; row < kChoiceCount; ++row) {
            ASSERT_TRUE(choices.rows[row].available);
            positions.insert(choices.rows[row].position);
            if (row != choices.choicePosition) {
                EXPECT_NE(choices.rows[row].text, "run");
            }
        }
        EXPECT_EQ(positions.size(), 4u);
    }
    // Only one other text: it is drawn, and a set-aside "run" fills the last row.
    const CSection few = sectionWithAnswers({ "run", "run", "walk", "run" });
    crt::srand(3);
    for (int round = 0; round < 100; ++round) {
        const FourChoices choices = buildChoices(few, 0, kJE4);
        int walks = 0;
        for (const ChoiceSlot &slot : choices.rows) {
            EXPECT_TRUE(slot.available);
            walks += slot.text == "walk";
        }
        EXPECT_EQ(walks, 1);
    }
}

TEST(Picking, ARowShowingTheRightTextIsRight)
{
    FourChoices choices;
    choices.choicePosition = 2;
    const char *texts[] = { "run", "walk", "run", "" };
    for (int row = 0; row < kChoiceCount; ++row)
        choices.rows[row] = { texts[row], row + 10, row != 3 };
    const bool right[] = { true, false, true, false };
    for (int row = 0; row < kChoiceCount; ++row) {
        EXPECT_EQ(isRightPick(choices, row), right[row]) << row;
        EXPECT_EQ(isCorrectionDone(choices, row), right[row]) << row;
    }
    EXPECT_FALSE(isRightPick(choices, -1));
    EXPECT_FALSE(isRightPick(choices, 4));
    // An unavailable row is never right, even with the same (empty) text.
    choices.rows[2].text.clear();
    EXPECT_FALSE(isRightPick(choices, 3));
    // After a right pick the picked row stays; the correction keeps the right one.
    EXPECT_EQ(buttonsAfterRightPick(0).visible, (std::array<bool, kChoiceCount> { true }));
    EXPECT_EQ(buttonsInCorrection(choices).visible,
              (std::array<bool, kChoiceCount> { false, false, true, false }));
}

TEST(Picking, TheDrillCountsEitherRowWithTheRightWordsAsRight)
{
    // Two questions, both answered "run": the one distractor reads like the right choice.
    // The same drill twice (the simulated clock seeds both alike); each picks another row.
    for (int pickIndex = 0; pickIndex < 2; ++pickIndex) {
        session_test::DrillRig rig;
        rig.start(session_test::setupOf({ session_test::questionLine("q0", { "run" }),
                                          session_test::questionLine("q1", { "run" }) },
                                        kJE4));
        ASSERT_TRUE(rig.awaitingAnswer());
        std::vector<int> shown;
        for (int row = 0; row < kChoiceCount; ++row) {
            if (rig.view().choiceButtons[row].visible) {
                shown.push_back(row);
                EXPECT_EQ(rig.view().choiceFields[row].text, "run");
            }
        }
        ASSERT_EQ(shown.size(), 2u);
        const int picked = shown[static_cast<std::size_t>(pickIndex)];
        rig.session().pickChoice(picked);
        EXPECT_EQ(rig.view().state, DrillState::ShowingCorrect);
        EXPECT_EQ(rig.view().feedback, cp932::text("正解！"));
        EXPECT_EQ(rig.view().correctNow.value, 1);
        for (int row = 0; row < kChoiceCount; ++row)
            EXPECT_EQ(rig.view().choiceButtons[row].visible, row == picked) << row;
    }
}

} // namespace
} // namespace kvr
