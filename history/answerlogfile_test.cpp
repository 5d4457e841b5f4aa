#include <gtest/gtest.h>
#include <random>
#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#endif

#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"

using namespace kvr;

namespace {

using Tally = std::vector<std::int32_t>;

// A log with one learner and one record, followed by the given line.
std::string withRecordLine(const std::string &line)
{
    return "# h\r\n[u]\r\n\"s\",1,2,3,4,5,6,\r\n" + line + "\r\n";
}

CSectionLog loadedRecord(const std::string &line)
{
    CAnswerLog log;
    EXPECT_TRUE(log.loadAnswerLogText(withRecordLine(line))) << line;
    return log.users.at(0).sections.at(log.users.at(0).sections.size() - 1);
}

std::vector<Tally> talliesOf(const CSectionLog &record)
{
    std::vector<Tally> out;
    for (const QuestionTally &t : record.tallies())
        out.emplace_back(std::begin(t.values), std::end(t.values));
    return out;
}

TEST(AnswerLogFile, TallyLineForms)
{
    const std::pair<std::string, std::vector<Tally>> cases[] = {
        { "ql=", {} },
        { "ql=3+1&", { { 3, 1, 0, 0, 0, 0, 0, 0 } } },
        { "ql=3+1&5+2&", { { 3, 1, 0, 0, 0, 0, 0, 0 }, { 5, 2, 0, 0, 0, 0, 0, 0 } } },
        { "ql=3+1+0+2&", { { 3, 1, 0, 2, 0, 0, 0, 0 } } },
        { "ql=1+2+3+4+-10+6+7+8&9+1&",
          { { 1, 2, 3, 4, -10, 6, 7, 8 }, { 9, 1, 0, 0, 0, 0, 0, 0 } } },
        { "ql=+&", { { 0, 0, 0, 0, 0, 0, 0, 0 } } }, // empty digit runs read as 0
        { "ql=3+1&5", { { 3, 1, 0, 0, 0, 0, 0, 0 } } }, // a value cut off ends quietly
        { "ql=3+1", {} },
        { "ql=1+2+3+4+5+6&", {} },
        { "ql=1+-", {} },
        { "ql=4294967297+2147483648&", { { 1, INT32_MIN, 0, 0, 0, 0, 0, 0 } } }, // wraps
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(talliesOf(loadedRecord(text)), expected) << text;
}

// A long tally line takes the loader's fast path (no bound check within a value): values of
// every length and sign, empty and overlong digit runs must read as in the short forms.
TEST(AnswerLogFile, LongTallyLinesReadEveryValueForm)
{
    std::string line = "ql=";
    std::vector<Tally> expected;
    const auto add = [&](const std::string &entry, const Tally &values) {
        line += entry;
        expected.push_back(values);
    };
    add("+&", { 0, 0, 0, 0, 0, 0, 0, 0 });
    add("-+-&", { 0, 0, 0, 0, 0, 0, 0, 0 });
    add("00000012+7&", { 12, 7, 0, 0, 0, 0, 0, 0 });
    add("99999999999+1&", { 1215752191, 1, 0, 0, 0, 0, 0, 0 }); // wraps modulo 2^32
    add("12345678+-1234567+1234567+-12345678&", { 12345678, -1234567, 1234567, -12345678 });
    expected.back().resize(8);
    std::mt19937 random(7);
    for (int i = 0; i < 400; ++i) {
        Tally values(8);
        std::string entry;
        for (int k = 0; k < 8; ++k) {
            const int digits = static_cast<int>(random() % 10);
            std::int64_t value = static_cast<std::int64_t>(random() % 1000000000);
            for (int d = digits; d < 9; ++d)
                value /= 10;
            values[k] = static_cast<std::int32_t>(random() % 2 ? -value : value);
            entry += std::to_string(values[k]) + (k == 7 ? "&" : "+");
        }
        add(entry, values);
    }
    add("2147483647+-2147483648&", { INT32_MAX, INT32_MIN, 0, 0, 0, 0, 0, 0 });
    EXPECT_EQ(talliesOf(loadedRecord(line)), expected);
}

TEST(AnswerLogFile, SeriesAndMissedLines)
{
    const std::pair<std::string, std::vector<std::uint32_t>> series[] = {
        { "tm=1,2,3", { 1, 2, 3 } },
        { "tm=5,7", { 9, 8, 7 } },
        { "tm=1,,3", { 9, 8, 7 } },
        { "tm=1;2;3xy", { 1, 2, 3 } },
        { "tm=-1,2,3", { 0xFFFFFFFFu, 2, 3 } },
    };
    for (const auto &[text, expected] : series) {
        const CSectionLog r = loadedRecord("tm=9,8,7\r\n" + text);
        EXPECT_EQ((std::vector<std::uint32_t> { r.seriesSeed, std::uint32_t(r.seriesDone),
                                                std::uint32_t(r.lastSeriesCount) }),
                  expected)
            << text;
    }
    const std::pair<std::string, std::vector<std::int32_t>> missed[] = {
        { "lm=", {} },          { "lm=4+9", { 4 } },  { "lm=4+9+", { 4, 9 } },
        { "lm=4+x+9+", { 4 } }, { "lm=-3+", { -3 } }, { "lm=++", {} },
    };
    for (const auto &[text, expected] : missed)
        EXPECT_EQ(loadedRecord(text).lastMissed, expected) << text;
}

TEST(AnswerLogFile, MalformedLinesFailTheLoad)
{
    const std::string cases[] = {
        "\"s\",1,2,3,4,5,6,7,8,9,", // run group cut off
        "\"s\",1,2,3,4,5,6,7,8,9,10,11", // last value lacks its comma
        "\"s\",1,2,3,4,5,", // fewer than six values
        "\"s\"", // nothing after the name
        "\"s,1,2,3,4,5,6,", // no closing quote
        "s\",1,2,3,4,5,6,", // no leading quote
        "[x", // after a learner, not a header line
        "[\x83\x5d", // "[ゾ": the bracket is a trail byte
    };
    for (const std::string &line : cases) {
        CAnswerLog log;
        EXPECT_FALSE(log.loadAnswerLogText(withRecordLine(line))) << line;
    }
    EXPECT_EQ(loadedRecord("\"x\",,,,,,-,").firstStudyTime, 0); // empty values read as 0
    for (const char *prefix : { "ql=1+2&", "tm=1,2,3", "lm=1+" }) {
        CAnswerLog log;
        EXPECT_FALSE(log.loadAnswerLogText(std::string("[u]\r\n") + prefix + "\r\n")) << prefix;
    }
}

TEST(AnswerLogFile, HeaderAndLearnerLines)
{
    CAnswerLog log;
    ASSERT_TRUE(log.loadAnswerLogText(
        "# a\r\n\r\n[x\r\n[\x83\x5d\r\nql=1\r\n[]\r\n\r\n\r\n[\x83\x5d]\r\n"));
    EXPECT_EQ(log.headerLines, (std::vector<std::string> { "# a", "", "[x", "[\x83\x5d", "ql=1" }));
    ASSERT_EQ(log.users.size(), 2u);
    EXPECT_EQ(log.users[0].name, "");
    EXPECT_EQ(log.users[1].name, "\x83\x5d");

    ASSERT_TRUE(log.loadAnswerLogText(""));
    EXPECT_TRUE(log.headerLines.empty());
    EXPECT_TRUE(log.users.empty());
}

TEST(AnswerLogFile, EmptyLastHeaderLineGetsNoLineEndOnlyWithoutLearners)
{
    CAnswerLog log;
    log.headerLines = { "# a", "" };
    EXPECT_EQ(log.formatAnswerLog(), "# a\r\n");
    log.addUserLog("u");
    EXPECT_EQ(log.formatAnswerLog(), "# a\r\n\r\n[u]\r\n");

    // A header-only file saved again and again never grows.
    ASSERT_TRUE(log.loadAnswerLogText("# a\r\n\r\n"));
    EXPECT_EQ(log.formatAnswerLog(), "# a\r\n");
    ASSERT_TRUE(log.loadAnswerLogText(log.formatAnswerLog()));
    EXPECT_EQ(log.formatAnswerLog(), "# a\r\n");
}

const std::string kRichLog = "# Kvr Log Information File\r\n"
                             "\r\n"
                             "; second header\r\n"
                             "[\x91\xbe\x98\x59]\r\n" // 太郎
                             "\"A/\x95\x5c\",12,-3,1000000000,2,300,2147483647,"
                             "5,1,1000000100,1000000200,40,7,-4,999,1000,0,\r\n"
                             "ql=1+2+3+4+-10+0+-2147483648+2147483647&0+0+0+0+0+0+0+0&\r\n"
                             "tm=4294967295,17,5\r\n"
                             "lm=3+0+41+\r\n"
                             "\"A/\x95\x5c\",0,0,0,0,0,0,\r\n"
                             "ql=\r\n"
                             "tm=0,0,0\r\n"
                             "lm=\r\n"
                             "[]\r\n"
                             "[\x91\xbe\x98\x59]\r\n"
                             "\"B\",1,1,1,1,1,1,\r\n"
                             "ql=9+9+9+9+9+9+9+9&\r\n"
                             "tm=1,2,3\r\n"
                             "lm=7+\r\n";

TEST(AnswerLogFile, RichLogRoundTripsByteForByte)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    writeFile(path, kRichLog);
    CAnswerLog log;
    ASSERT_TRUE(log.loadAnswerLog(path));
    EXPECT_EQ(log.findUserLog(cp932::text(u8"太郎")).sections.size(), 2u);
    ASSERT_TRUE(log.saveAnswerLog(path));
    EXPECT_EQ(readFile(path), kRichLog);
    EXPECT_EQ(log.formatAnswerLog(), kRichLog);
}

TEST(AnswerLogFile, FailedLoadLeavesTheLogAsItWas)
{
    TempFolder folder;
    CAnswerLog log;
    ASSERT_TRUE(log.loadAnswerLogText(kRichLog));
    const CAnswerLog before = log;
    EXPECT_FALSE(log.loadAnswerLog(folder.file("missing.txt")));
    EXPECT_FALSE(log.loadAnswerLogText("[u]\r\n\"s\",1,2,3,4,5,6,\r\n\"t\",1,\r\n"));
    EXPECT_EQ(log.headerLines, before.headerLines);
    EXPECT_EQ(log.users, before.users);
}

TEST(AnswerLogFile, FailedSaveLeavesTheOldFileWhole)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    writeFile(path, kRichLog);
    CAnswerLog log;
    ASSERT_TRUE(log.loadAnswerLog(path));
    CSectionLog &big = log.userAt(0).sections[0];
    big.tallies().resize(100000);
    const std::vector<CUserLog> inMemory = log.users;

    EXPECT_FALSE(log.saveAnswerLog(folder.file("no/such/folder/translog.txt")));

#if defined(__unix__)
    // A file-size limit makes the write fail half-way, as a full disk would.
    rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = log.saveAnswerLog(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(path), kRichLog);
#endif
    EXPECT_EQ(log.users, inMemory);
}

// Whatever the bytes, loading returns without crashing, and a log that loads formats to a
// text that loads back to the same log.
TEST(AnswerLogFile, OddBytesNeverCrashAndLoadedLogsRoundTrip)
{
    std::mt19937 random(20240607);
    const std::string pieces[] = { "[u]\r\n",
                                   "\"",
                                   ",",
                                   "+",
                                   "&",
                                   "-",
                                   "ql=",
                                   "tm=",
                                   "lm=",
                                   "\r\n",
                                   "\n",
                                   "\r",
                                   std::string(1, '\0'),
                                   "\x83",
                                   "\x5d",
                                   "2147483647",
                                   "99999999999999999999",
                                   "[",
                                   "]",
                                   "7" };
    int loaded = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text = round % 2 ? withRecordLine("") : std::string();
        const int count = random() % 40;
        for (int i = 0; i < count; ++i)
            text += pieces[random() % std::size(pieces)];
        if (round % 97 == 0)
            text += std::string(100000, '9') + "+" + std::string(70000, 'x');
        CAnswerLog log;
        if (!log.loadAnswerLogText(text))
            continue;
        ++loaded;
        const std::string once = log.formatAnswerLog();
        CAnswerLog again;
        ASSERT_TRUE(again.loadAnswerLogText(once)) << testing::PrintToString(text);
        if (log.users.empty()) {
            // Only the line end of an empty last header line may go.
            EXPECT_LE(again.formatAnswerLog().size(), once.size());
            continue;
        }
        EXPECT_EQ(again.formatAnswerLog(), once) << testing::PrintToString(text);
        EXPECT_EQ(again.users, log.users) << testing::PrintToString(text);
    }
    EXPECT_GT(loaded, 100);
}

// Regression: a tally line of megabytes of "&" loaded as millions of tallies, and every save
// wrote them all again.
TEST(AnswerLogFile, ATallyLineKeepsAtMostTheTallyLimit)
{
    std::string huge;
    huge.reserve((kMaxQuestionTallies + 5) * 4);
    for (std::size_t i = 0; i < kMaxQuestionTallies + 5; ++i)
        huge += i == 2 ? "7+0&" : "&&";
    const CSectionLog record = loadedRecord("ql=" + huge);
    EXPECT_EQ(record.tallies().size(), kMaxQuestionTallies);
    EXPECT_EQ(record.tallies()[2].values[0], 7);
    EXPECT_EQ(record.correctCount, 1); // the record itself is kept
}

} // namespace
