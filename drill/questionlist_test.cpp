#include <gtest/gtest.h>

#include "db/questiondatabase.h"
#include "drill/questionlist.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

using Rows = std::vector<std::string>;

std::string blanks(int n)
{
    return std::string(static_cast<std::size_t>(n), ' ');
}

CSection sectionOf(Rows lines)
{
    CSection section;
    section.name = "s";
    section.lines = std::move(lines);
    return section;
}

TEST(QuestionList, RowsOfOneQuestionInBothLayouts)
{
    const std::string verb = sj("【動詞】run"); // 11 bytes after expansion
    const struct
    {
        const char *name;
        std::string line;
        int width;
        Rows rows;
    } cases[] = {
        // Answers by position: the third is not shown beside the question, only when narrow.
        { "gap fits", "?one,,three,,,dog", 32, { "dog" + blanks(29) + "one", "" } },
        { "gap narrow", "?one,,three,,,dog", 4, { "dog", blanks(4) + "one", blanks(4) + "three" } },
        { "W 4 is narrow even for no question text", "?a", 4, { blanks(4) + "a" } },
        { "W 0", "?a,,,,,q", 0, { "q", "a" } },
        { "two lines", "?A,B,C,,,l1\\nl2", 8, { "l1      A", "l2      B", blanks(8) + "C" } },
        { "question only", "?,,,,,l1\\nl2", 8, { "l1", "l2" } },
        { "expanded fits at W - 5 = b", "?%no,,,,,%verun", 16, { verb + blanks(5) + "%no" } },
        { "one byte narrower", "?%no,,,,,%verun", 15, { verb, blanks(15) + "%no" } },
        { "empty answer line", "?", 32, {} },
        { "plain line", "dog", 32, {} },
        { "empty line", "", 32, {} },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(questionRows(c.line, c.width), c.rows);
    }
}

TEST(QuestionList, ListAddsABlankRowPerLineAndCoversTheWidestRow)
{
    const CSection section = sectionOf({ "?a,,,,,q", "plain", "?long answer here,,,,,q2" });
    const QuestionList spaced = buildQuestionList(section, 8, true);
    EXPECT_EQ(spaced.rows, (Rows { "q       a", "", "", "q2      long answer here", "" }));
    // The widest row sets the extent even when it is a fitting row.
    EXPECT_EQ(spaced.extentPixels, 8 * 24);
    EXPECT_EQ(buildQuestionList(section, 8, false).rows,
              (Rows { "q       a", "q2      long answer here" }));
    EXPECT_EQ(buildQuestionList(CSection(), 32, true).extentPixels, 0);
}

TEST(QuestionList, AutoCountIsTheLongestExpandedQuestionLinePlusFiveUpTo300)
{
    EXPECT_EQ(autoCountWidth(sectionOf({})), 5);
    EXPECT_EQ(
        autoCountWidth(sectionOf({ "?a,,,,,abc", "?a,,,,,x\\n%verun", "no question at all" })), 16);
    EXPECT_EQ(autoCountWidth(sectionOf({ "?a,,,,," + std::string(295, 'x') })), 300);
    EXPECT_EQ(autoCountWidth(sectionOf({ "?a,,,,," + std::string(296, 'x') })), 300);
}

TEST(QuestionList, WidthFieldAcceptsIntegersFrom0To300)
{
    const struct
    {
        const char *text;
        std::optional<int> width;
    } rows[] = {
        { "0", 0 }, { "300", 300 },  { " 42 ", 42 }, { "301", {} }, { "-1", {} },
        { "", {} }, { "12abc", {} }, { "abc", {} },  { "+5", {} },  { "99999999999", {} }
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(parseQuestionListWidth(row.text), row.width);
    }
    EXPECT_EQ(integerRangeMessage(0, 300), sj("0 から 300 までの整数を入力してください。"));
}

TEST(QuestionList, CaptionAndProposedFileName)
{
    EXPECT_EQ(questionListCaption(sj("動物")), sj("動物 - 問題一覧"));
    EXPECT_EQ(questionListFileName(sj("動物")), sj("動物.txt"));
    EXPECT_EQ(questionListFileName(""), sj("問題一覧.txt"));
}

TEST(QuestionList, ExportWritesExactlyTheRowsWithCrLf)
{
    TempFolder folder;
    const std::string path = folder / "list.txt";
    writeFile(path, "old content that is longer than the new one\r\n");
    const QuestionList list =
        buildQuestionList(sectionOf({ sj("?犬,,,,,dog"), sj("?cat,,,,,猫") }), 8, true);
    test::CScriptedPrompter prompter;
    ASSERT_TRUE(exportQuestionList(list.rows, path, prompter));
    std::string expected;
    for (const std::string &row : list.rows)
        expected += row + "\r\n";
    EXPECT_EQ(readFile(path), expected);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST(QuestionList, ExportFailureSaysSo)
{
    TempFolder folder;
    test::CScriptedPrompter prompter;
    EXPECT_FALSE(exportQuestionList({ "a" }, folder / "missing/list.txt", prompter));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, sj("作成できませんでした"));
    EXPECT_EQ(prompter.asked[0].caption, "ErrorDlg");
    EXPECT_EQ(prompter.asked[0].icon, Icon::Information);
}

} // namespace
} // namespace kvr
