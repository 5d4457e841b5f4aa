#include <gtest/gtest.h>
#include <random>

#include "db/question.h"
#include "db/testsupport.h"

namespace kvr {
namespace {

// What the editor shows for a stored line: plain lines are answer 1 as they stand.
CQuestion readBack(const std::string &line)
{
    CQuestion q;
    if (!line.empty() && !parseQuestionLine(q, line) && line.front() != '?')
        q.answers[0] = line;
    return q;
}

CQuestion record(std::initializer_list<std::string> answers)
{
    CQuestion q;
    std::size_t i = 0;
    for (const std::string &a : answers)
        q.answers[i++] = a;
    return q;
}

// Older files were written with these escapes only: \ -> \\, " -> \", CR LF -> \n, and
// quotes around a field holding a comma.
std::string olderWriterField(std::string text)
{
    replaceAllDbcs(text, "\\", "\\\\");
    replaceAllDbcs(text, "\"", "\\\"");
    replaceAllDbcs(text, "\r\n", "\\n");
    if (text.find(',') != std::string::npos)
        text = '"' + text + '"';
    return text;
}

TEST(QuestionLine, DecodesAndEncodesTheBasicFullLine)
{
    const std::string line = "?apple,,,,," + sj("りんご") + ",,,";
    CQuestion q;
    ASSERT_TRUE(parseQuestionLine(q, line));
    CQuestion expected = record({ "apple" });
    expected.questionLines[0] = sj("りんご");
    EXPECT_EQ(q, expected);
    EXPECT_EQ(formatQuestionLine(q), line);
}

TEST(QuestionLine, DecodesFieldsAsTheyStand)
{
    struct Row
    {
        std::string line;
        bool ok;
        CQuestion expected;
    };
    CQuestion nine = record({ "1", "2", "3", "4", "5" });
    nine.questionLines = { "q1", "q2\r\nq3" };
    nine.hints = { "h1", "h2", "h3\r\nh4" };
    nine.wavFile = "w.wav";
    nine.extData = "x,\"y\",\\n";
    CQuestion junk = record({ "a,b", "c" });
    CQuestion unclosed = record({ "a", "b" });
    CQuestion spaced = record({ " a ", "", " " });
    const Row rows[] = {
        { "?1,2,3,4,5,q1\\nq2\\nq3,h1\\nh2\\nh3\\nh4,w.wav,x,\"y\",\\n", true, nine },
        { "?\"a,b\"xyz,c", true, junk },
        { "?x,\"a,b\"", true, record({ "x", "a,b" }) },
        { "?a,b,\"c,d", false, unclosed },
        { "?\"", false, {} },
        { "?", true, {} },
        { "?,,,", true, {} },
        { "? a ,, ", true, spaced },
        { "?a\\qb\\", true, record({ "a\\qb\\" }) },
        { "apple", false, {} },
        { "", false, {} },
        { "!?a", false, {} },
    };
    for (const Row &row : rows) {
        CQuestion q;
        q.answers[3] = "stale";
        EXPECT_EQ(parseQuestionLine(q, row.line), row.ok) << visible(row.line);
        EXPECT_EQ(q, row.expected) << visible(row.line);
    }
}

TEST(QuestionLine, EveryRecordReadsBackUnchanged)
{
    std::vector<CQuestion> records;
    const auto add = [&](CQuestion q) { records.push_back(std::move(q)); };
    for (const std::string &tricky :
         { std::string("a,b"), std::string("say \"hi\""), std::string("\"a\",\"b\""),
           std::string("end\\"), std::string("end\\,comma\\"), sj("表"), sj("一覧表,ソ"),
           sj("ソ") + "\"", sj("能") + "," + sj("予"), sj("十"), std::string("lit\\n"),
           std::string("lit\\\\n,x"), std::string("back\\\r\nslash"), std::string("a\r\nb"),
           std::string("nul\0byte", 8), std::string("lone\x81"), std::string("lone\x81,") }) {
        add(record({ tricky, "x" }));
        add(record({ "x", "", "", "", tricky }));
        CQuestion q = record({ "x" });
        q.questionLines[1] = tricky;
        q.hints[2] = tricky;
        q.wavFile = tricky;
        add(q);
    }
    CQuestion secondLineOnly;
    secondLineOnly.questionLines[1] = "only line 2";
    add(secondLineOnly);
    CQuestion hints23;
    hints23.hints = { "", "h2", "" };
    add(hints23);
    CQuestion hints13 = record({ "a" });
    hints13.hints = { "h1", "", "h3" };
    add(hints13);
    CQuestion hint3;
    hint3.hints[2] = "h3";
    add(hint3);
    CQuestion wavOnly;
    wavOnly.wavFile = "voice.wav";
    add(wavOnly);
    CQuestion ext = record({ "a" });
    ext.extData = "k=v,\"q\",\\";
    add(ext);
    for (const char *answer : { "plain answer", "?starts", "?", "</s>", "</S>tail", "two\r\nlines",
                                "bare\nfeed", "a,b" })
        add(record({ std::string(answer) }));

    for (const CQuestion &q : records) {
        const std::string line = formatQuestionLine(q);
        EXPECT_EQ(line.find('\n'), std::string::npos) << visible(line);
        CQuestion expected = q;
        replaceAllDbcs(expected.answers[0], "\n", "\r\n"); // a bare LF is stored as CR LF
        replaceAllDbcs(expected.answers[0], "\r\r\n", "\r\n");
        EXPECT_EQ(readBack(line), expected) << visible(line);
    }
}

TEST(QuestionLine, ChoosesTheShortestFormThatReadsBack)
{
    struct Row
    {
        CQuestion q;
        std::string line;
    };
    CQuestion wavOnly;
    wavOnly.wavFile = "a.wav";
    CQuestion hints13;
    hints13.hints = { "h1", "", "h3" };
    const Row rows[] = {
        { CQuestion(), "" },
        { record({ "apple" }), "apple" },
        { record({ "a,b \"c\"" }), "a,b \"c\"" },
        { record({ "?x" }), "??x,,,,,,,," },
        { record({ "a\r\nb" }), "?a\\nb,,,,,,,," },
        { record({ "</S>" }), "?</S>,,,,,,,," },
        { wavOnly, "?,,,,,,,a.wav," },
        { hints13, "?,,,,,,h1\\n\\nh3,," },
        { record({ "a", "b,c" }), "?a,\"b,c\",,,,,,," },
        { record({ sj("表"), "\"" }), "?" + sj("表") + ",\\\",,,,,,," },
    };
    for (const Row &row : rows)
        EXPECT_EQ(formatQuestionLine(row.q), row.line);
}

// Every line the older writer produced must still decode to the record it was made from.
TEST(QuestionLine, ReadsEveryLineTheOlderWriterProduced)
{
    const std::vector<std::string> tokens = { "a", "\\",     "\"",     "\r\n", ",",
                                              "n", sj("表"), sj("ソ"), "\\n",  sj("能") };
    std::vector<std::string> texts = { "" };
    for (std::size_t begin = 0, length = 0; length < 3; ++length) {
        const std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i)
            for (const std::string &t : tokens)
                texts.push_back(texts[i] + t);
        begin = end;
    }
    ASSERT_EQ(texts.size(), 1111u);
    for (const std::string &text : texts) {
        const std::string field = olderWriterField(text);
        const std::string line = "?" + field + ",x,,," + field + ",,," + field + ",";
        CQuestion q;
        ASSERT_TRUE(parseQuestionLine(q, line)) << visible(line);
        EXPECT_EQ(q.answers[0], text) << visible(line);
        EXPECT_EQ(q.answers[1], "x") << visible(line);
        EXPECT_EQ(q.answers[4], text) << visible(line);
        EXPECT_EQ(q.wavFile, text) << visible(line);
    }
}

TEST(QuestionLine, RandomRecordsRoundTrip)
{
    const std::vector<std::string> tokens = { "a", "\\",     "\"",     ",",   "n",  "?",
                                              " ", sj("表"), sj("ソ"), "\\n", "<s>" };
    std::mt19937 random(7);
    const auto text = [&](bool lineEnds) {
        std::string t;
        const int n = static_cast<int>(random() % 5);
        for (int i = 0; i < n; ++i) {
            if (lineEnds && random() % 6 == 0)
                t += "\r\n";
            else
                t += tokens[random() % tokens.size()];
        }
        return t;
    };
    for (int round = 0; round < 3000; ++round) {
        CQuestion q;
        for (std::string &a : q.answers)
            a = random() % 2 ? text(true) : "";
        for (std::string &l : q.questionLines)
            l = random() % 3 ? "" : text(false);
        for (std::string &h : q.hints)
            h = random() % 3 ? "" : text(false);
        q.wavFile = random() % 4 ? "" : text(true);
        q.extData = random() % 4 ? "" : text(false);
        const std::string line = formatQuestionLine(q);
        ASSERT_EQ(readBack(line), q) << visible(line);
    }
}

TEST(QuestionLine, BrokenLeadByteBeforeAnEscapeKeepsTheFieldsApart)
{
    // The lead byte stood alone before the quote; the escape's backslash must not become
    // its trail byte, or the quote would end the field on the next read.
    CQuestion q;
    ASSERT_TRUE(parseQuestionLine(q, "?\x82\",1"));
    const std::string answer = q.answers[0];
    CQuestion back;
    ASSERT_TRUE(parseQuestionLine(back, formatQuestionLine(q)));
    EXPECT_EQ(back.answers[0], "?\"");
    EXPECT_EQ(back.answers[1], q.answers[1]);
    CQuestion again;
    ASSERT_TRUE(parseQuestionLine(again, formatQuestionLine(back)));
    EXPECT_EQ(again, back) << "stable once stored";
}

TEST(QuestionLine, MalformedLinesNeverOverrun)
{
    const std::string big(1 << 20, 'x');
    const std::vector<std::string> lines = {
        "?\"" + big,
        "?" + big,
        "?\x81",
        "?\"\x81",
        "?\"\\",
        "?\"a\\\"",
        "?a,\x81",
        "?\"\x81\"",
        std::string("?\0,\0", 4),
        "?,,,,,,,,,,,,,",
        "?\"\"\"\"\"\"\"\"",
        "?\\\\\\\\\\",
        "?" + sj("表") + "\"",
    };
    for (const std::string &line : lines) {
        CQuestion q;
        parseQuestionLine(q, line);
        for (const std::string &a : q.answers)
            EXPECT_LE(a.size(), line.size());
    }
    CQuestion q;
    EXPECT_TRUE(parseQuestionLine(q, "?" + big + "," + big));
    EXPECT_EQ(q.answers[1].size(), big.size());
}

} // namespace
} // namespace kvr
