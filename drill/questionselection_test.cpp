#include <algorithm>
#include <gtest/gtest.h>

#include "drill/questionselection.h"
#include "drill/testsupport_selection.h"
#include "platform/cp932.h"
#include "platform/crand.h"
#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

using selection_test::FakeClock;
using selection_test::sectionOf;
using test::CScriptedPrompter;

QuestionTally firstAnswers(std::int32_t correct, std::int32_t incorrect)
{
    QuestionTally t;
    t.values[QuestionTally::FirstCorrect] = correct;
    t.values[QuestionTally::FirstIncorrect] = incorrect;
    return t;
}

TEST(TickCommands, WeakestAndMissedNeedARecord)
{
    const CSection section = sectionOf(4);
    EXPECT_EQ(weakestTicks(section, nullptr, 20, RateBasis::FirstAnswers), std::nullopt);
    EXPECT_EQ(lastMissedTicks(nullptr), std::nullopt);

    CSectionLog record;
    record.tallies() = { firstAnswers(1, 1), firstAnswers(0, 3), {}, firstAnswers(5, 0) };
    record.lastMissed = { 3, 1 };
    // Unanswered first under the first answers, then the lowest rates.
    EXPECT_EQ(weakestTicks(section, &record, 3, RateBasis::FirstAnswers),
              (std::vector<int> { 2, 1, 0 }));
    // Under the re-answers nothing has data: every question ties.
    EXPECT_EQ(weakestTicks(section, &record, 2, RateBasis::Retries)->size(), 2u);
    EXPECT_EQ(lastMissedTicks(&record), (std::vector<int> { 3, 1 }));
}

TEST(TickCommands, RandomTicksEveryCandidateWhenAskedForMore)
{
    CSection section = sectionOf(5);
    section.lines.insert(section.lines.begin() + 2, "plain");
    crt::srand(1);
    auto drawn = randomTicks(section, 20);
    ASSERT_TRUE(drawn);
    std::sort(drawn->begin(), drawn->end());
    EXPECT_EQ(*drawn, (std::vector<int> { 0, 1, 3, 4, 5 }));

    // The draws continue the generator as it stands: seed 1 gives 41, 18467.
    crt::srand(1);
    EXPECT_EQ(randomTicks(sectionOf(10), 2),
              (std::vector<int> { 1, 9 })); // 18467 % 9 = 8 of 0,2,…,9

    CSection none;
    none.lines = { "plain", "" };
    EXPECT_EQ(randomTicks(none, 5), std::nullopt);
}

class CheckCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        section = sectionOf(30);
        rows = buildQuestionRows(section, nullptr, RateBasis::Both);
        marks = CCheckMarks {};
        marks.reset(rows);
        record.tallies().resize(30);
        for (int p = 0; p < 30; ++p)
            record.tallies()[p] = firstAnswers(p, 30 - p); // rate rises with p
        record.lastMissed = { 7, 3 };
    }
    std::optional<int> run(CheckCommand command, int field, const CSectionLog *r)
    {
        return runCheckCommand(command, marks, section, r, RateBasis::FirstAnswers, field);
    }
    CSection section;
    std::vector<QuestionRow> rows;
    CCheckMarks marks;
    CSectionLog record;
};

TEST_F(CheckCommands, EachCommandTicksItsQuestionsAndReportsTheNewCount)
{
    const struct
    {
        CheckCommand command;
        int field;
        std::vector<int> ticked;
        std::optional<int> shown;
    } cases[] = {
        { CheckCommand::Weakest, 3, { 0, 1, 2 }, 3 },
        { CheckCommand::Weakest10, 3, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 }, 10 },
        { CheckCommand::LastMissed, 20, { 3, 7 }, 2 },
        { CheckCommand::Invert, 20, buildQuestionPool(sectionOf(30)), 30 },
        { CheckCommand::Clear, 20, {}, std::nullopt }, // nothing was ticked: field unchanged
    };
    for (const auto &c : cases) {
        SetUp();
        EXPECT_EQ(run(c.command, c.field, &record), c.shown) << static_cast<int>(c.command);
        EXPECT_EQ(marks.checkedPositions(rows), c.ticked) << static_cast<int>(c.command);
    }
    SetUp();
    EXPECT_EQ(run(CheckCommand::Weakest, 0, &record), 20); // an empty field means 20
    EXPECT_EQ(run(CheckCommand::Weakest30, 0, &record), 30);
}

TEST_F(CheckCommands, WithoutARecordWeakestAndMissedLeaveTheMarks)
{
    run(CheckCommand::LastMissed, 20, &record);
    for (auto command :
         { CheckCommand::Weakest, CheckCommand::Weakest20, CheckCommand::LastMissed }) {
        EXPECT_EQ(run(command, 20, nullptr), std::nullopt);
        EXPECT_EQ(marks.checkedPositions(rows), (std::vector<int> { 3, 7 }));
    }
}

TEST_F(CheckCommands, RandomWithFiveCandidatesAndTwentyTicksAllFive)
{
    section = sectionOf(5);
    rows = buildQuestionRows(section, nullptr, RateBasis::Both);
    marks.reset(rows);
    EXPECT_EQ(run(CheckCommand::Random, 20, nullptr), 5);
    EXPECT_EQ(marks.checkedPositions(rows), (std::vector<int> { 0, 1, 2, 3, 4 }));
    // A field of 0 or less becomes 20; the count of ticked rows then follows only if it changed.
    EXPECT_EQ(run(CheckCommand::Random, 0, nullptr), 20);

    CSection none;
    none.lines = { "plain" };
    section = none;
    EXPECT_EQ(run(CheckCommand::Random, -4, nullptr), 20);
    EXPECT_EQ(marks.checkedPositions(rows), (std::vector<int> { 0, 1, 2, 3, 4 })); // unchanged
    EXPECT_EQ(checkSelectMenu().size(), 5u);
    EXPECT_EQ(selectWorstMenu()[2].label, cp932::text("&30問"));
}

TEST(SeriesReplay, MarksTheQuestionsTheSeriesHasTaken)
{
    CSection section = sectionOf(30);
    section.lines[4] = "plain";
    // The first drill of the series asked exactly what the replay marks.
    DrillSetup setup;
    setup.sectionCopy = section;
    setup.orderSeed = 4711;
    setup.requestedCount = 12;
    const std::vector<int> asked = firstPassOrder(setup, FakeClock(1));

    const std::vector<bool> marks = replaySeriesMarks(section, 4711, 12);
    const std::vector<int> pool = buildQuestionPool(section);
    ASSERT_EQ(marks.size(), pool.size());
    for (std::size_t i = 0; i < pool.size(); ++i) {
        const bool wasAsked = std::find(asked.begin(), asked.end(), pool[i]) != asked.end();
        EXPECT_EQ(marks[i], wasAsked) << pool[i];
    }
    const std::vector<bool> all = replaySeriesMarks(section, 4711, 1000000);
    EXPECT_EQ(std::count(all.begin(), all.end(), true), 29);
    const std::vector<bool> none = replaySeriesMarks(section, 4711, -3);
    EXPECT_EQ(std::count(none.begin(), none.end(), true), 0);
}

TEST(SeriesReplay, ProgressViewReplaysOnlyASeededSeriesOfAFoundCollection)
{
    const CSection section = sectionOf(4);
    CSectionLog record;
    record.seriesSeed = 1;
    record.seriesDone = 2;
    EXPECT_FALSE(progressView(&section, &record, 432).takenSpans.empty());
    EXPECT_EQ(progressView(&section, &record, 432).texts[1].text, "2 / 4");
    EXPECT_TRUE(progressView(nullptr, &record, 432).takenSpans.empty());
    EXPECT_EQ(progressView(nullptr, &record, 432).texts[1].text, "2 / 0");
    EXPECT_FALSE(progressView(&section, nullptr, 432).fill);
    record.seriesSeed = 0;
    EXPECT_TRUE(progressView(&section, &record, 432).takenSpans.empty());
    EXPECT_TRUE(progressView(&section, &record, 432).fill);
}

TEST(DrillRequests, TickedRowsDrillInListOrderWithTheStripMode)
{
    const auto request = tickedDrillRequest("top/words", TreeSelection::Collection, { 4, 0, 2 },
                                            DrillMode::JapaneseToEnglishChoice);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->sectionPath, "top/words");
    EXPECT_EQ(request->selection, (std::vector<int> { 4, 0, 2 }));
    EXPECT_EQ(request->count, -1);
    EXPECT_EQ(request->pendingMode, 4);
    EXPECT_FALSE(
        tickedDrillRequest("top/words", TreeSelection::Collection, {}, DrillMode::SpeedReply));
    EXPECT_FALSE(tickedDrillRequest("top", TreeSelection::Folder, { 1 }, DrillMode::SpeedReply));
}

TEST(DrillRequests, LearnChecksTheCountThenStartsWithTheListMode)
{
    CScriptedPrompter prompter;
    EXPECT_FALSE(learnRequest("top/words", TreeSelection::Collection, 13, 12, 0, prompter));
    EXPECT_EQ(
        prompter.texts(),
        std::vector<std::string> { cp932::text("出題数を 1 ～ 12 の範囲で指定してください。") });

    const int choice[] = { 0, 1, 4, 3, 2 };
    for (int position = 0; position < 5; ++position) {
        const auto request =
            learnRequest("top/words", TreeSelection::Collection, 12, 12, position, prompter);
        ASSERT_TRUE(request);
        EXPECT_EQ(request->count, 12);
        EXPECT_TRUE(request->selection.empty());
        EXPECT_EQ(request->pendingMode, choice[position]);
    }
    EXPECT_FALSE(learnRequest("top", TreeSelection::Folder, 1, 12, 0, prompter));
    EXPECT_EQ(prompter.asked.size(), 1u);
}

} // namespace
} // namespace kvr
