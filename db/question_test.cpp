#include <functional>
#include <gtest/gtest.h>

#include "db/question.h"
#include "db/testsupport.h"
#include "platform/error.h"

namespace kvr {
namespace {

TEST(CQuestion, AccessorsRejectIndexesOutsideTheirFields)
{
    const CQuestion q;
    struct Row
    {
        std::function<void()> call;
        const char *text;
    };
    const Row rows[] = {
        { [&] { q.getQuestion(2); }, "out of index (at getQuestion)" },
        { [&] { q.getQuestion(-1); }, "out of index (at getQuestion)" },
        { [&] { q.getAnswer(5); }, "out of index (at getAnswer)" },
        { [&] { q.getAnswer(-1); }, "out of index (at getAnswer)" },
        { [&] { q.getHint(3); }, "out of index (at getHint)" },
        { [&] { q.getHint(-7); }, "out of index (at getHint)" },
    };
    for (const Row &row : rows)
        EXPECT_EQ(errorText(row.call), row.text);
    EXPECT_EQ(q.getAnswer(4), "");
    EXPECT_EQ(q.getQuestion(1), "");
    EXPECT_EQ(q.getHint(2), "");
}

TEST(CQuestion, CountsOnlyNonEmptyTexts)
{
    CQuestion q;
    q.answers = { "a", "", "c", "", " " };
    q.hints = { "", "", "h3" };
    q.questionLines = { "", "q2" };
    EXPECT_EQ(q.answerCount(), 3);
    EXPECT_EQ(q.hintCount(), 1);
    EXPECT_EQ(q.questionCount(), 1);
    q.clear();
    EXPECT_EQ(q, CQuestion());
}

TEST(ReplaceAllDbcs, NeverMatchesOnASecondByteNorRescansReplacedText)
{
    struct Row
    {
        std::string text, from, to, expected;
        int count;
    };
    const std::string hyou = sj("表"); // 95 5C
    const std::string so = sj("ソ"); // 83 5C
    const Row rows[] = {
        { "a\\b\\", "\\", "\\\\", "a\\\\b\\\\", 2 },
        { hyou + "\\", "\\", "\\\\", hyou + "\\\\", 1 },
        { hyou + so, "\\", "[x]", hyou + so, 0 },
        { "aaaa", "aa", "a", "aa", 2 },
        { "abab", "ab", "abab", "abababab", 2 },
        { "", "x", "y", "", 0 },
        { "abc", "", "y", "abc", 0 },
        // A lead byte with no trail byte after it is a character of its own.
        { "\x81\"", "\"", "\\\"", "\x81\\\"", 1 },
        { "\x81", "\x81", "z", "z", 1 },
    };
    for (const Row &row : rows) {
        std::string text = row.text;
        EXPECT_EQ(replaceAllDbcs(text, row.from, row.to), row.count) << row.text;
        EXPECT_EQ(text, row.expected) << row.text;
    }
}

TEST(PartOfSpeech, ExpandsAndStripsEveryMarkerInTableOrder)
{
    struct Row
    {
        std::string text, expanded, stripped;
    };
    const Row rows[] = {
        { "%ad%ot", sj("【形容詞】【その他】"), "" },
        { "run%ve", "run" + sj("【動詞】"), "run" },
        { sj("走る") + "%no", sj("走る【名詞】"), sj("走る") },
        { "%aj%av%pp%pn%id", sj("【形容詞】【副詞】【前置詞】【代名詞】【熟語】"), "" },
        { "%NO %x", "%NO %x", "%NO %x" },
        { "%%nono", sj("%【名詞】no"), "%no" },
    };
    for (const Row &row : rows) {
        std::string expanded = row.text;
        std::string stripped = row.text;
        const bool changed = row.expanded != row.text;
        EXPECT_EQ(expandPartOfSpeech(expanded), changed) << row.text;
        EXPECT_EQ(stripPartOfSpeech(stripped), changed) << row.text;
        EXPECT_EQ(expanded, row.expanded);
        EXPECT_EQ(stripped, row.stripped);
    }
}

} // namespace
} // namespace kvr
