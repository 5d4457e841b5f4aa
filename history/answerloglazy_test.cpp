// Tallies decoded on first use: whatever is decoded, touched or changed, a save writes what a
// full decode of the same content writes.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

#include "history/answerlog.h"
#include "history/answerlogtallyline.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

using namespace kvr;

namespace {

TEST(AnswerLogLazy, OnlyTheWritersOwnFormIsWrittenBackAsRead)
{
    const std::pair<std::string, bool> cases[] = {
        { "", true },
        { "0+0+0+0+0+0+0+0&", true },
        { "1+22+333+4+-5+0+7+8&9+9+9+9+9+9+9+9&", true },
        { "2147483647+-2147483648+0+0+0+0+0+0&", true },
        { "1+2&", false }, // the writer fills an entry to eight values
        { "1+2+3+4&", false },
        { "01+0+0+0+0+0+0+0&", false }, // leading zero
        { "-0+0+0+0+0+0+0+0&", false },
        { "+0+0+0+0+0+0+0&", false }, // empty value
        { "2147483648+0+0+0+0+0+0+0&", false }, // wraps to a negative value
        { "-2147483649+0+0+0+0+0+0+0&", false },
        { "10000000000+0+0+0+0+0+0+0&", false },
        { "0+0+0+0+0+0+0+0", false }, // no closing "&"
        { "0+0+0+0+0+0+0+0&1", false }, // a cut-off entry the reader drops
        { "0+0+0+0+0+0+0+0&&", false },
        { "0,0+0+0+0+0+0+0&", false }, // any separator reads, only "+" is written
        { "0+0+0+0+0+0+0+0+", false },
        { "-", false },
    };
    for (const auto &[line, expected] : cases)
        EXPECT_EQ(writtenBackUnchanged(line), expected) << line;
}

std::string starterLog()
{
    const char *source = std::getenv("KVR_TEST_SOURCE_DIR");
    return readWholeFile(std::string(source ? source : ".") + "/data/Datas/translog.txt")
        .value_or("");
}

// Several learners and records, mostly in the writer's form; some lines in forms the reader
// takes but the writer never gives (short entries, leading zeros, wrapping values, line
// feeds alone, a second tally line, a cut-off entry, no tally line at all).
std::string generatedLog()
{
    std::mt19937 random(42);
    std::string text = "# generated\r\n";
    for (int u = 0; u < 6; ++u) {
        text += "[learner" + std::to_string(u) + "]\r\n";
        for (int s = 0; s < 25; ++s) {
            const int odd = static_cast<int>(random() % 12);
            const char *end = odd == 1 ? "\n" : "\r\n";
            text += "\"F" + std::to_string(s / 5) + "/S" + std::to_string(s) + "\",3,1,99,2,60,40,";
            text += "2,1,100,130,20,1,0,200,230,20,";
            text += end;
            if (odd == 2)
                continue;
            std::string line = "ql=";
            const int questions = static_cast<int>(random() % 60);
            for (int q = 0; q < questions; ++q) {
                for (int f = 0; f < 8; ++f) {
                    const int value = static_cast<int>(random() % 30) - (f == 4 ? 10 : 0);
                    line += std::to_string(value) + (f == 7 ? "&" : "+");
                }
            }
            if (odd == 3)
                line += "4+5&";
            if (odd == 4)
                line += "007+0+0+0+0+0+0+0&";
            if (odd == 5)
                line += "4294967297+0+0+0+0+0+0+0&";
            if (odd == 6)
                line += "1+2+3";
            text += line + end;
            if (odd == 7)
                text += "ql=5+5+5+5+5+5+5+5&\r\n";
            text += "tm=" + std::to_string(random() % 1000) + ",3,2" + end;
            text += "lm=1+4+" + std::string(end);
        }
    }
    return text;
}

// Today's output for the log: every record decoded and written by the writer.
std::string fullyDecodedFormat(CAnswerLog log)
{
    for (CUserLog &user : log.users) {
        for (CSectionLog &record : user.sections)
            record.tallies(); // changeable access forgets the line as read
    }
    return log.formatAnswerLog();
}

// Reads some records' tallies, takes changeable access to some without changing them, and
// changes some; the same changes are made on reference.
void touchSome(CAnswerLog &log, CAnswerLog &reference, std::mt19937 &random)
{
    for (std::size_t u = 0; u < log.users.size(); ++u) {
        auto &sections = log.users[u].sections;
        for (std::size_t s = 0; s < sections.size(); ++s) {
            CSectionLog &record = sections[s];
            switch (random() % 5) {
            case 0:
                static_cast<void>(std::as_const(record).tallies().size());
                break;
            case 1:
                static_cast<void>(record.tallies().size());
                break;
            case 2: {
                const std::size_t position = random() % 70;
                incrementTally(record, position, QuestionTally::RetryCorrect);
                incrementTally(reference.users[u].sections[s], position,
                               QuestionTally::RetryCorrect);
                break;
            }
            default:
                break;
            }
        }
    }
}

TEST(AnswerLogLazy, PartlyDecodedLogsSaveAsAFullDecodeDoes)
{
    const std::string sources[] = {
        starterLog(),
        generatedLog(),
        "# h\r\n[u]\r\n\"s\",1,2,3,4,5,6,\r\nql=3+1&5\r\ntm=1,2,3\r\nlm=\r\n",
        "# h\r\n[u]\r\n\"s\",1,2,3,4,5,6,\r\nql=\r\n\"t\",0,0,0,0,0,0,\r\nql=1+1+1+1+1+1+1+1&",
    };
    ASSERT_FALSE(sources[0].empty()) << "the starter log was not found";
    TempFolder folder;
    for (const std::string &source : sources) {
        CAnswerLog loaded;
        ASSERT_TRUE(loaded.loadAnswerLogText(source));
        std::size_t records = 0, undecoded = 0;
        for (const CUserLog &user : loaded.users) {
            records += user.sections.size();
            undecoded += std::count_if(
                user.sections.begin(), user.sections.end(),
                [](const CSectionLog &record) { return !record.lazyTallies.decoded(); });
        }
        EXPECT_TRUE(records == 0 || undecoded > 0) << "a load decodes no tally line";
        const std::string today = fullyDecodedFormat(loaded);
        EXPECT_EQ(loaded.formatAnswerLog(), today) << "nothing decoded";
        for (unsigned seed = 1; seed <= 6; ++seed) {
            std::mt19937 random(seed);
            CAnswerLog log = loaded;
            CAnswerLog reference = loaded;
            touchSome(log, reference, random);
            const std::string expected = fullyDecodedFormat(reference);
            EXPECT_EQ(log.formatAnswerLog(), expected) << "seed " << seed;
            ASSERT_TRUE(log.saveAnswerLog(folder / "saved.txt"));
            EXPECT_EQ(readWholeFile(folder / "saved.txt"), expected) << "seed " << seed;
            EXPECT_EQ(log.users, reference.users) << "seed " << seed;
        }
    }
}

// Undecoded tallies hold on to the text they were read from, whatever became of the file,
// the log that read it, or the log's later loads.
TEST(AnswerLogLazy, UndecodedTalliesOutliveTheFileAndTheLoadingLog)
{
    TempFolder folder;
    const std::string path = folder / "translog.txt";
    const std::string text = generatedLog();
    folder.put("translog.txt", text);
    CAnswerLog reference;
    ASSERT_TRUE(reference.loadAnswerLogText(text));

    auto *first = new CAnswerLog;
    ASSERT_TRUE(first->loadAnswerLog(path));
    CAnswerLog copy = *first;
    std::vector<CSectionLog> records = first->users.at(2).sections;
    ASSERT_TRUE(replaceFileAtomically(path, "# other\r\n[x]\r\n\"y\",0,0,0,0,0,0,\r\nql=1+2&\r\n"));
    ASSERT_TRUE(first->loadAnswerLog(path));
    delete first;
    std::filesystem::remove(path);

    EXPECT_EQ(copy.users, reference.users);
    EXPECT_EQ(records, reference.users.at(2).sections);
    EXPECT_EQ(copy.formatAnswerLog(), fullyDecodedFormat(reference));
}

// The programs replace the log with a new file; a file rewritten in place by some other
// program must not feed its bytes into tallies read before: they read as none, and the next
// update takes the new file.
TEST(AnswerLogLazy, AFileRewrittenInPlaceIsNeverReadAsTheOldTallies)
{
    const std::string before = "[u]\r\n\"s\",1,2,3,4,5,6,\r\nql=1+2+3+4+5+6+7+8&\r\n";
    const std::string sameSize = "[u]\r\n\"s\",1,2,3,4,5,6,\r\nql=9+9+9+9+9+9+9+9&\r\n";
    for (const std::string &after : { sameSize, std::string("[v]\r\n") }) {
        TempFolder folder;
        const std::string path = folder / "translog.txt";
        folder.put("translog.txt", before);
        CAnswerLog log;
        ASSERT_TRUE(log.loadAnswerLog(path));
        // A later modification time even on a file system of coarse times.
        folder.put("translog.txt", after);
        std::filesystem::last_write_time(
            path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
        EXPECT_TRUE(log.users.at(0).sections.at(0).tallies().empty());
        EXPECT_EQ(log.updateAnswerLog(path, [](CAnswerLog &changed) { changed.addUserLog("w"); }),
                  CAnswerLog::Update::Saved);
        CAnswerLog expected;
        ASSERT_TRUE(expected.loadAnswerLogText(after));
        expected.addUserLog("w");
        EXPECT_EQ(readWholeFile(path), expected.formatAnswerLog());
    }
}

// Tally, series and missed-question lines never fail a load; a fault in a record line after
// records whose tallies stay undecoded still fails it, on the same line.
TEST(AnswerLogLazy, FaultsAfterUndecodedRecordsFailTheLoadOnTheirLine)
{
    const std::string good = "\"s\",1,2,3,4,5,6,\r\nql=x+&&-+\xff\r\ntm=a\r\nlm=+\r\n";
    const std::pair<std::string, std::size_t> cases[] = {
        { "[u]\r\n" + good + good + "\"t\",1,\r\n", 10 },
        { "[u]\r\n" + good + "ql=1+2&\r\n\"t\"\r\n", 7 },
        { "[u]\r\n" + good + "[v]\r\nql=1&\r\n", 7 },
    };
    for (const auto &[text, line] : cases) {
        CAnswerLog log;
        EXPECT_FALSE(log.loadAnswerLogText(text));
        EXPECT_EQ(log.faultLine(), line) << testing::PrintToString(text);
    }
    CAnswerLog log;
    ASSERT_TRUE(log.loadAnswerLogText("[u]\r\n" + good));
    EXPECT_EQ(log.users.at(0).sections.at(0).tallies().size(), 1u);
}

} // namespace
