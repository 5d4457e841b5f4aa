#include <gtest/gtest.h>

#include "history/questionrows.h"
#include "history/tallyedits.h"
#include "platform/cp932.h"
#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

using cp932::text;
using test::CScriptedPrompter;
using test::messageOf;
using F = QuestionTally;

std::string line(const std::string &q1, const std::string &a1)
{
    CQuestion question;
    question.questionLines[0] = q1;
    question.answers[0] = a1;
    return formatQuestionLine(question);
}

CSection sectionOf(int count)
{
    CSection section;
    for (int i = 0; i < count; ++i)
        section.lines.push_back(line("q" + std::to_string(i), "a" + std::to_string(i)));
    return section;
}

QuestionTally counted(std::int32_t value)
{
    QuestionTally t;
    for (int f = 0; f < F::FieldCount; ++f)
        t.values[f] = value;
    return t;
}

TEST(DeleteHistory, QuestionListsTenTickedQuestionsThenAnEllipsis)
{
    CSection section = sectionOf(12);
    section.lines[0] = line("go%ve", text("行く"));
    EXPECT_EQ(deleteHistoryQuestion(section, { 0, 3 }),
              text("問題\n\n \"go【動詞】 = 行く\"\n \"q3 = a3\"\n\nの履歴を削除しますか？"));

    std::vector<int> eleven;
    for (int i = 1; i <= 11; ++i)
        eleven.push_back(i);
    const std::string text11 = *deleteHistoryQuestion(section, eleven);
    EXPECT_NE(text11.find("\"q10 = a10\"\n...\n\n"), std::string::npos);
    EXPECT_EQ(text11.find("q11"), std::string::npos);
    std::vector<int> ten(eleven.begin(), eleven.end() - 1);
    EXPECT_EQ(deleteHistoryQuestion(section, ten)->find("..."), std::string::npos);
}

TEST(DeleteHistory, EndsAtOnceWithoutTicksOrForANonQuestionAmongTheFirstTen)
{
    CSection section = sectionOf(14);
    section.lines[2] = "plain";
    section.lines[13] = "";
    EXPECT_EQ(deleteHistoryQuestion(section, {}), std::nullopt);
    EXPECT_EQ(deleteHistoryQuestion(section, { 0, 2 }), std::nullopt);
    // Beyond the first ten only the count matters.
    std::vector<int> ticked = { 0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 13 };
    EXPECT_TRUE(deleteHistoryQuestion(section, ticked));
}

TEST(DeleteHistory, YesClearsTheCountsButKeepsTheCorrections)
{
    const CSection section = sectionOf(3);
    CSectionLog record;
    record.tallies() = { counted(3), counted(4), counted(5) };
    CScriptedPrompter prompter;
    EXPECT_TRUE(deleteTickedHistory(&record, section, { 2, 0 }, prompter));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].caption, text("削除の確認"));
    EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNo);
    for (int p : { 0, 2 }) {
        const auto &v = record.tallies()[p].values;
        EXPECT_EQ(std::vector<int>(v, v + 8),
                  (std::vector<int> { 0, 0, 0, 0, 3 + p, 3 + p, 3 + p, 3 + p }));
    }
    EXPECT_EQ(record.tallies()[1], counted(4));

    // The correction still shows a count afterwards.
    const auto rows = buildQuestionRows(section, &record, RateBasis::FirstAnswers);
    EXPECT_EQ(rows[0].cells[2], "3 (0+3)");
    EXPECT_EQ(rows[0].cells[4], "50%");
}

TEST(DeleteHistory, NoOrAMissingRecordChangesNothing)
{
    const CSection section = sectionOf(2);
    CSectionLog record;
    record.tallies() = { counted(3), counted(4) };
    CScriptedPrompter prompter;
    prompter.push(Reply::No);
    EXPECT_FALSE(deleteTickedHistory(&record, section, { 0 }, prompter));
    EXPECT_EQ(record.tallies()[0], counted(3));
    EXPECT_FALSE(deleteTickedHistory(nullptr, section, { 0 }, prompter));
    EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST(CountCorrection, MenuValuesAndLabels)
{
    std::vector<std::string> labels;
    for (int value : kCountCorrections)
        labels.push_back(countCorrectionLabel(value));
    EXPECT_EQ(labels,
              (std::vector<std::string> { "+10", "+5", "+4", "+3", "+2", "+1", "0", "-1", "-2",
                                          "-3", "-4", "-5", "-10" }));
}

TEST(CountCorrection, ChangesTheBasisSideOfTheSelectedQuestions)
{
    const struct
    {
        RateBasis basis;
        TallySideKind side;
        int value;
        F::Field field;
        std::int32_t before, after;
    } cases[] = {
        { RateBasis::FirstAnswers, TallySideKind::Correct, 3, F::FirstCorrectAdjust, 2, 5 },
        { RateBasis::Both, TallySideKind::Incorrect, -10, F::FirstIncorrectAdjust, 2, -8 },
        { RateBasis::Retries, TallySideKind::Correct, 1, F::RetryCorrectAdjust, -1, 0 },
        { RateBasis::Retries, TallySideKind::Incorrect, 0, F::RetryIncorrectAdjust, 7, 0 },
        { RateBasis::Both, TallySideKind::Correct, 10, F::FirstCorrectAdjust, 2147483640,
          2147483647 },
    };
    for (const auto &c : cases) {
        CSection section = sectionOf(3);
        section.lines[1] = "plain";
        CSectionLog record;
        record.tallies().resize(3);
        for (auto &t : record.tallies())
            t.values[c.field] = c.before;
        EXPECT_TRUE(correctCounts(&record, section, { 0, 1, 2 }, c.side, c.value, c.basis));
        EXPECT_EQ(record.tallies()[0].values[c.field], c.after);
        EXPECT_EQ(record.tallies()[2].values[c.field], c.after);
        EXPECT_EQ(record.tallies()[1].values[c.field], c.before); // not a question
    }
}

TEST(CountCorrection, ZeroRemovesAnEarlierCorrectionAndNothingHappensWithoutARecord)
{
    const CSection section = sectionOf(1);
    CSectionLog record;
    EXPECT_TRUE(correctCounts(&record, section, { 0 }, TallySideKind::Correct, -3,
                              RateBasis::FirstAnswers));
    auto rows = buildQuestionRows(section, &record, RateBasis::FirstAnswers);
    EXPECT_EQ(rows[0].cells[2], "-3 (0-3)");
    EXPECT_TRUE(
        correctCounts(&record, section, { 0 }, TallySideKind::Correct, 0, RateBasis::FirstAnswers));
    refreshCountCells(rows, &record, RateBasis::FirstAnswers);
    EXPECT_EQ(rows[0].cells[2], "0");
    // Already 0: nothing to save.
    EXPECT_FALSE(
        correctCounts(&record, section, { 0 }, TallySideKind::Correct, 0, RateBasis::FirstAnswers));
    EXPECT_FALSE(
        correctCounts(nullptr, section, { 0 }, TallySideKind::Correct, 5, RateBasis::FirstAnswers));
}

} // namespace
} // namespace kvr
