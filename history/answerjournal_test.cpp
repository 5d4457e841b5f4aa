#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

#include "history/answerjournal.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"

namespace kvr {
namespace {

using cp932::text;

constexpr std::int64_t kMarch7 = 1709802000 + 3723; // 2024-03-07 10:02:03 UTC

class AnswerJournal : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

JournalEntry entry(std::string question, JournalVerdict verdict, int tenths)
{
    JournalEntry e;
    e.time = kMarch7;
    e.learner = text("花子");
    e.collection = text("英単語/中学1年");
    e.mode = DrillMode::EnglishToJapaneseChoice;
    e.position = 12;
    e.question = std::move(question);
    e.verdict = verdict;
    e.tenths = tenths;
    return e;
}

TEST_F(AnswerJournal, LinesHaveEightFieldsAndNoStraySeparators)
{
    const std::string head = text("2024/03/07 10:02:03\t花子\t英単語/中学1年\t英和４択\t12\t");
    const struct
    {
        JournalEntry entry;
        std::string line;
    } rows[] = {
        { entry("apple", JournalVerdict::Correct, 23), head + text("apple\t正解\t2.3") },
        { entry("a\tb\r\nc", JournalVerdict::Incorrect, 7), head + text("a b  c\t不正解\t0.7") },
        { entry(text("表"), JournalVerdict::Accepted, 1234), head + text("表\t正解にした\t123.4") },
        { entry("", JournalVerdict::Correct, -5), head + text("\t正解\t0.0") },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(formatJournalLine(row.entry), row.line);
        const auto parsed = parseJournalLine(row.line);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->verdict, row.entry.verdict);
        EXPECT_EQ(parsed->learner, row.entry.learner);
        EXPECT_EQ(parsed->collection, row.entry.collection);
        EXPECT_EQ(parsed->position, 12);
        EXPECT_EQ(parsed->tenths, std::max(0, row.entry.tenths));
        EXPECT_EQ(std::tie(parsed->year, parsed->month, parsed->day, parsed->hour, parsed->minute,
                           parsed->second),
                  std::make_tuple(2024, 3, 7, 10, 2, 3));
    }
    EXPECT_EQ(journalModeName(DrillMode::SpeedReply), "SpeedReply");
    EXPECT_EQ(journalModeName(DrillMode::JapaneseToEnglishTyped), text("和英入力"));
}

TEST_F(AnswerJournal, LinesThatAreNotJournalLinesAreRefused)
{
    const std::string good = formatJournalLine(entry("apple", JournalVerdict::Correct, 23));
    ASSERT_TRUE(parseJournalLine(good));
    const auto replaced = [&](std::size_t field, const std::string &value) {
        std::string line;
        std::size_t start = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            const std::size_t tab = good.find('\t', start);
            const std::string original =
                good.substr(start, tab == std::string::npos ? tab : tab - start);
            line += (i ? "\t" : "") + (i == field ? value : original);
            start = tab + 1;
        }
        return line;
    };
    const std::string bad[] = {
        "",
        "\xff\xfe\x00garbage",
        good.substr(0, good.size() - 6), // cut off by a crash
        good + "\textra",
        replaced(0, "2024/13/07 10:02:03"),
        replaced(0, "2023/02/29 10:02:03"),
        replaced(0, "2024/03/07 24:00:00"),
        replaced(0, "2024-03-07 10:02:03"),
        replaced(0, "2024/3/7 10:02:03"),
        replaced(4, "0"),
        replaced(4, "-3"),
        replaced(4, "1x"),
        replaced(4, "12345678901234"),
        replaced(6, "maybe"),
        replaced(7, "1.23"),
        replaced(7, ".5"),
        replaced(7, "abc"),
        replaced(7, ""),
    };
    for (const std::string &line : bad) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(parseJournalLine(line));
    }
    EXPECT_TRUE(parseJournalLine(replaced(0, "2024/02/29 23:59:59")));
    EXPECT_TRUE(parseJournalLine(replaced(7, "15")));
    EXPECT_TRUE(parseJournalLine(replaced(1, ""))); // a learner without a name still counts
    EXPECT_EQ(journalFieldText("a\tb\r\n"), "a b  ");
}

TEST_F(AnswerJournal, AppendingKeepsWhatIsThereAndReportsFailure)
{
    TempFolder folder;
    const std::string path = journalPathBeside(folder.file("translog.txt"));
    EXPECT_EQ(path, folder.file("journal.txt"));
    writeFile(path, "earlier\r\n");
    ASSERT_TRUE(appendJournal(path,
                              { entry("one", JournalVerdict::Correct, 10),
                                entry("two", JournalVerdict::Incorrect, 20) }));
    ASSERT_TRUE(appendJournal(path, { entry("three", JournalVerdict::Correct, 30) }));
    EXPECT_EQ(readFile(path),
              "earlier\r\n" + formatJournalLine(entry("one", JournalVerdict::Correct, 10)) + "\r\n"
                  + formatJournalLine(entry("two", JournalVerdict::Incorrect, 20)) + "\r\n"
                  + formatJournalLine(entry("three", JournalVerdict::Correct, 30)) + "\r\n");
    EXPECT_FALSE(appendJournal(folder.file("missing/journal.txt"), { entry("x", {}, 0) }));
    EXPECT_EQ(journalPathBeside("translog.txt"), "./journal.txt");
}

TEST(JournalDays, DayNumbersCountCalendarDays)
{
    const struct
    {
        int year, month, day, number;
    } rows[] = {
        { 1970, 1, 1, 0 },     { 2000, 3, 1, 11017 }, { 2024, 2, 29, 19782 },
        { 2024, 3, 1, 19783 }, { 2100, 3, 1, 47541 }, { 1969, 12, 31, -1 },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(dayNumber(row.year, row.month, row.day), row.number);
        int year = 0, month = 0, day = 0;
        dateOfDay(row.number, year, month, day);
        EXPECT_EQ(std::tie(year, month, day), std::tie(row.year, row.month, row.day));
    }
}

} // namespace
} // namespace kvr
