#include <gtest/gtest.h>

#include "history/answerjournal.h"
#include "history/journalsummary.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {
namespace {

using cp932::text;

// A journal line of learner in collection on 2024-03-<day>.
std::string line(const std::string &learner, const std::string &collection, int day, bool right)
{
    return formatText(
        "2024/03/%02d 09:00:00\t%s\t%s\t%s\t1\tq\t%s\t1.0", day, learner.c_str(),
        collection.c_str(), text("和英入力").c_str(),
        journalVerdictWord(right ? JournalVerdict::Correct : JournalVerdict::Incorrect).c_str());
}

int march(int day)
{
    return dayNumber(2024, 3, day);
}

TEST(JournalSummary, CountsPerDayAndSkipsWhatIsNotAJournalLine)
{
    TempFolder folder;
    const std::string path = folder.file("journal.txt");
    std::string contents;
    for (const std::string &each : {
             line("ann", "A/x", 5, true),
             line("ann", "A/x", 5, false),
             std::string("hand-written note"),
             line("ann", "A/y", 5, true),
             std::string(300000, 'z'), // a huge line
             line("ann", "AB/z", 6, true),
             line("ann", "A", 7, false),
             line("bob", "A/x", 5, true),
             std::string("\x82\xa0\t\xff\t\t"),
             line("ann", "A/x", 6, true),
         })
        contents += each + "\r\n";
    contents += line("ann", "A/x", 8, true).substr(0, 30); // cut off by a crash
    writeFile(path, contents);

    const CJournalSummary summary = summariseJournal(path);
    EXPECT_EQ(summary.lines, 11u);
    EXPECT_EQ(summary.skipped, 4u);
    const struct
    {
        const char *learner;
        const char *folder;
        DayCounts days;
    } rows[] = {
        { "ann", "", { { march(5), { 3, 2 } }, { march(6), { 2, 2 } }, { march(7), { 1, 0 } } } },
        { "ann", "A", { { march(5), { 3, 2 } }, { march(6), { 1, 1 } }, { march(7), { 1, 0 } } } },
        { "ann", "A/x", { { march(5), { 2, 1 } }, { march(6), { 1, 1 } } } },
        { "ann", "AB", { { march(6), { 1, 1 } } } },
        { "ann", "A/", {} },
        { "bob", "", { { march(5), { 1, 1 } } } },
        { "carl", "", {} },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.learner) + " " + row.folder);
        EXPECT_EQ(summary.days(row.learner, row.folder), row.days);
    }
}

TEST(JournalSummary, TheCacheReadsTheFileAgainOnlyWhenItChanged)
{
    TempFolder folder;
    const std::string path = folder.file("journal.txt");
    CJournalCache cache;
    EXPECT_TRUE(cache.summary(path).empty()); // no journal yet
    writeFile(path, line("ann", "A", 5, true) + "\r\n");
    EXPECT_EQ(cache.summary(path).days("ann", "").at(march(5)), (DayCount { 1, 1 }));
    const CJournalSummary *first = &cache.summary(path);
    EXPECT_EQ(first->lines, 1u);
    writeFile(path, line("ann", "A", 5, true) + "\r\n" + line("ann", "A", 5, false) + "\r\n");
    EXPECT_EQ(cache.summary(path).days("ann", "").at(march(5)), (DayCount { 2, 1 }));
    std::filesystem::remove(nativePath(path));
    EXPECT_TRUE(cache.summary(path).empty());
}

} // namespace
} // namespace kvr
