#include <gtest/gtest.h>

#include "drill/testsupport_session.h"
#include "platform/cp932.h"

namespace kvr::session_test {
namespace {

// Keeps every hand-over; refuses them all when told to.
class RecordingJournal final : public IAnswerJournal
{
public:
    bool append(const std::vector<JournalEntry> &entries) override
    {
        appends.push_back(entries);
        return !failing;
    }
    std::vector<JournalEntry> all() const
    {
        std::vector<JournalEntry> result;
        for (const auto &batch : appends)
            result.insert(result.end(), batch.begin(), batch.end());
        return result;
    }
    std::vector<std::vector<JournalEntry>> appends;
    bool failing = false;
};

struct Row
{
    int position;
    const char *question;
    JournalVerdict verdict;
};

void expectEntries(const std::vector<JournalEntry> &entries, const std::vector<Row> &rows,
                   DrillMode mode)
{
    ASSERT_EQ(entries.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].position, rows[i].position);
        EXPECT_EQ(entries[i].question, rows[i].question);
        EXPECT_EQ(entries[i].verdict, rows[i].verdict);
        EXPECT_EQ(entries[i].learner, "learner");
        EXPECT_EQ(entries[i].collection, "Folder/Words");
        EXPECT_EQ(entries[i].mode, mode);
    }
}

void answerWrong(DrillRig &rig, const std::string &typed)
{
    rig.session().confirm(typed);
    ASSERT_TRUE(rig.awaitingAnswer());
    ASSERT_EQ(rig.view().state, DrillState::Correcting);
}

TEST(DrillJournal, EveryJudgedAnswerOfEveryPassInOneHandOverAtTheEnd)
{
    RecordingJournal journal;
    DrillRig rig;
    rig.journal = &journal;
    rig.start(setupOf(simpleQuestions(3)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.clock.advanceTo(rig.clock.elapsedMs() + 2345);
    rig.answerAndWait("a0");
    answerWrong(rig, "a-1");
    rig.session().acceptAsCorrect(); // "正解にする": the entry is amended, not doubled
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("x"); // q2 missed: re-answer passes follow
    EXPECT_TRUE(journal.appends.empty()); // nothing before the drill ends
    while (!rig.view().closed)
        rig.answerAndWait("a2");

    ASSERT_EQ(journal.appends.size(), 1u);
    const std::vector<JournalEntry> entries = journal.all();
    ASSERT_GE(entries.size(), 4u);
    const std::vector<Row> firstFour = {
        { 1, "q0", JournalVerdict::Correct },
        { 2, "q1", JournalVerdict::Accepted },
        { 3, "q2", JournalVerdict::Incorrect },
        { 3, "q2", JournalVerdict::Correct },
    };
    expectEntries({ entries.begin(), entries.begin() + 4 }, firstFour,
                  DrillMode::JapaneseToEnglishTyped);
    EXPECT_EQ(entries[0].tenths, 23);
    EXPECT_EQ(entries[0].time, rig.clock.epoch + 3); // one second of countdown, then 2.3
    EXPECT_TRUE(rig.prompter.asked.empty());
}

TEST(DrillJournal, TheQuestionIsWrittenWithItsPartOfSpeechLabel)
{
    RecordingJournal journal;
    DrillRig rig;
    rig.journal = &journal;
    rig.start(setupOf({ questionLine("%ajq0", { "a0" }) }));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("a0");
    ASSERT_TRUE(rig.view().closed);
    const std::vector<JournalEntry> entries = journal.all();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].question, cp932::text("【形容詞】q0"));
}

TEST(DrillJournal, FourChoicePicksAreJournalledWithTheirMode)
{
    RecordingJournal journal;
    DrillRig rig;
    rig.journal = &journal;
    rig.start(setupOf(simpleQuestions(4), DrillMode::JapaneseToEnglishChoice));
    ASSERT_TRUE(rig.awaitingAnswer());
    const auto pick = [&](bool right) {
        const std::string expected = rig.view().questionLines[0] == "q0" ? "a0" : "a1";
        int row = 0;
        while (row < 3 && (rig.view().choiceFields[row].text == expected) != right)
            ++row;
        rig.session().pickChoice(row);
        ASSERT_TRUE(rig.awaitingAnswer());
    };
    pick(true);
    pick(false);
    rig.prompter.push(Reply::No); // end now, without re-answering
    rig.session().cancel();
    ASSERT_TRUE(rig.view().closed);
    expectEntries(journal.all(),
                  { { 1, "q0", JournalVerdict::Correct }, { 2, "q1", JournalVerdict::Incorrect } },
                  DrillMode::JapaneseToEnglishChoice);
}

TEST(DrillJournal, ALeftDrillHandsOverWhatWasAnswered)
{
    // Escape after right answers only, after a wrong one ("No": at once), and a session
    // destroyed without its end.
    for (const int way : { 0, 1, 2 }) {
        SCOPED_TRACE(way);
        RecordingJournal journal;
        auto rig = std::make_unique<DrillRig>();
        rig->journal = &journal;
        rig->prompter.push(Reply::No);
        rig->start(setupOf(simpleQuestions(5)));
        ASSERT_TRUE(rig->awaitingAnswer());
        rig->answerAndWait("a0");
        rig->answerAndWait(way == 1 ? "x" : "a1");
        if (way < 2)
            rig->session().cancel();
        else
            rig.reset();
        EXPECT_EQ(journal.appends.size(), 1u);
        EXPECT_EQ(journal.all().size(), 2u);
    }
}

TEST(DrillJournal, AFailedHandOverIsToldOnceAndTheHistoryIsStillSaved)
{
    RecordingJournal journal;
    journal.failing = true;
    DrillRig rig;
    rig.journal = &journal;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.answerAndWait("a0");
    rig.answerAndWait("a1");
    ASSERT_TRUE(rig.view().closed);
    ASSERT_EQ(rig.prompter.asked.size(), 1u);
    EXPECT_EQ(rig.prompter.asked[0].text, journalFailedText());
    EXPECT_EQ(rig.results.reports.size(), 1u);
    const CSectionLog *record = rig.record();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->correctCount, 2);
}

} // namespace
} // namespace kvr::session_test
