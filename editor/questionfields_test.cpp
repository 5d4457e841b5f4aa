#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "db/testsupport.h"
#include "editor/questionfields.h"

namespace kvr {
namespace {

CQuestion question(std::string line1, std::string line2 = {})
{
    CQuestion q;
    q.questionLines = { std::move(line1), std::move(line2) };
    return q;
}

TEST(PartOfSpeechButtons, MarkByTheTwoLettersInUpperCaseAndToggleOnPress)
{
    using P = PartOfSpeech;
    struct Row
    {
        std::string line1;
        std::optional<P> marked;
    };
    const Row rows[] = {
        { "%ve go", P::Verb },  { "%Ve go", P::Verb },   { "%VE", P::Verb },
        { "%no", P::Noun },     { "%aJ", P::Adjective }, { "%av", P::Adverb },
        { "%pn", P::Pronoun },  { "%id", P::Idiom },     { "%pp", P::Preposition },
        { "%ot", P::Other },    { "%ad", std::nullopt }, { " %ve", std::nullopt },
        { "%v", std::nullopt }, { "%v1", std::nullopt }, { "", std::nullopt },
    };
    for (const Row &row : rows)
        EXPECT_EQ(markedPartOfSpeech(row.line1), row.marked) << row.line1;

    EXPECT_EQ(tagAfterPressing("%Ve go", P::Verb), "");
    EXPECT_EQ(tagAfterPressing("%ve go", P::Noun), "%no");
    EXPECT_EQ(tagAfterPressing("go", P::Other), "%ot");
    EXPECT_EQ(questionTag("%ad x"), "%ad");
    EXPECT_EQ(partOfSpeechLabel(P::Pronoun), sj("代名詞"));
}

TEST(PartOfSpeechButtons, ShiftFunctionKeysFollowTheirOwnOrder)
{
    const char *labels[] = {
        "名詞", "動詞", "形容詞", "副詞", "前置詞", "熟語", "代名詞", "その他"
    };
    for (int key = 1; key <= 8; ++key)
        EXPECT_EQ(partOfSpeechLabel(*partOfSpeechOfShiftKey(key)), sj(labels[key - 1])) << key;
    EXPECT_FALSE(partOfSpeechOfShiftKey(0));
    EXPECT_FALSE(partOfSpeechOfShiftKey(9));
}

TEST(EditFields, ShowTheQuestionWithoutItsTagAndTheHintsUpToTheLastOne)
{
    struct Row
    {
        CQuestion question;
        int answerNumber;
        EditFields fields;
    };
    CQuestion full = question("%ve run", "fast");
    full.answers = { "a1", "a2", "", "", "a5" };
    full.hints = { "h1", "", "h3" };
    CQuestion oneHint = question("q");
    oneHint.hints = { "h1", "", "" };
    const Row rows[] = {
        { full, 1, { "a1", " run\r\nfast", "h1\r\n\r\nh3" } },
        { full, 5, { "a5", " run\r\nfast", "h1\r\n\r\nh3" } },
        { oneHint, 2, { "", "q", "h1" } },
        { question("", "second"), 1, { "", "\r\nsecond", "" } },
    };
    for (const Row &row : rows)
        EXPECT_EQ(editFieldsOf(row.question, row.answerNumber), row.fields) << row.fields.question;
}

TEST(EditFields, WriteBackSplitsLinesKeepsTheTagAndStripsCommentMarks)
{
    struct Row
    {
        const char *what;
        EditFields fields;
        int answerNumber;
        std::string tag;
        CQuestion before;
        std::array<std::string, 2> lines;
        std::array<std::string, 3> hints;
        std::array<std::string, 5> answers;
    };
    CQuestion twoAnswers;
    twoAnswers.answers = { "# a", "b", "", "", "" };
    CQuestion withWav;
    withWav.answers[0] = "# a";
    withWav.wavFile = "a.wav";
    const Row rows[] = {
        { "bare comment stays", { "# note", "", "" }, 1, "", {}, {}, {}, { "# note" } },
        { "tag and two lines",
          { "x", "go\r\nout\r\nmore", "" },
          1,
          "%ve",
          {},
          { "%vego", "out\r\nmore" },
          {},
          { "x" } },
        { "lone line feeds",
          { "x", "go\nout", "h1\nh2\rh3\nh4" },
          1,
          "",
          {},
          { "go", "out" },
          { "h1", "h2", "h3\r\nh4" },
          { "x" } },
        { "question strips", { "# x", "q", "" }, 1, "", {}, { "q", "" }, {}, { "x" } },
        { "hint strips", { "# x", "", "h" }, 1, "", {}, {}, { "h", "", "" }, { "x" } },
        { "answer 2 strips all", { "b", "", "" }, 2, "", twoAnswers, {}, {}, { "a", "b" } },
        { "number 3 strips", { "", "", "" }, 3, "", twoAnswers, {}, {}, { "a", "b" } },
        { "wav strips", { "# a", "", "" }, 1, "", withWav, {}, {}, { "a" } },
    };
    for (const Row &row : rows) {
        CQuestion q = row.before;
        writeFieldsBack(q, row.fields, row.answerNumber, row.tag);
        EXPECT_EQ(q.questionLines, row.lines) << row.what;
        EXPECT_EQ(q.hints, row.hints) << row.what;
        EXPECT_EQ(q.answers, row.answers) << row.what;
    }
}

TEST(EditorLines, DecodeFullLinesAsFarAsTheyGoAndOtherLinesAsTheFirstAnswer)
{
    EXPECT_EQ(decodeEditorLine("plain, text").answers[0], "plain, text");
    EXPECT_EQ(decodeEditorLine("?a,b,,,,q,,,").answers[1], "b");
    const CQuestion broken = decodeEditorLine("?a,\"open");
    EXPECT_EQ(broken.answers[0], "a");
    EXPECT_TRUE(isEmptyQuestion(decodeEditorLine("")));
    CQuestion ext;
    ext.extData = "x";
    EXPECT_FALSE(isEmptyQuestion(ext));
}

} // namespace
} // namespace kvr
