#include <gtest/gtest.h>
#include <set>

#include "drill/drillsetup.h"
#include "drill/fourchoice.h"
#include "drill/testsupport_selection.h"
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
    for (auto &slot : choices.rows)
        slot.available = true;
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
        { buttonsAfterRightPick(choices), onlyRight, onlyRight },
        { buttonsAfterWrongPick(choices), all, {} },
        { buttonsInCorrection(choices), onlyRight, onlyRight },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(row.buttons.visible, row.visible);
        EXPECT_EQ(row.buttons.enabled, row.enabled);
    }
}

} // namespace
} // namespace kvr
