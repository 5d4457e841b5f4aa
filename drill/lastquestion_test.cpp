#include <gtest/gtest.h>

#include "db/question.h"
#include "drill/lastquestion.h"
#include "drill/testsupport_selection.h"
#include "platform/cp932.h"
#include "platform/dailybackup.h"
#include "platform/testsupport.h"
#include "platform/testsupport_clock.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using selection_test::questionLine;

SaveReport notice(const char *utf8)
{
    return { SaveReport::Notice, cp932::text(utf8) };
}

void expectReport(const SaveReport &got, const SaveReport &want)
{
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.text, want.text);
}

TEST(LastQuestion, ExistsFromTheSecondQuestionOnAndShowsItsTexts)
{
    EXPECT_FALSE(hasLastQuestion(true, 0));
    EXPECT_TRUE(hasLastQuestion(true, 1));
    EXPECT_TRUE(hasLastQuestion(false, 0));

    CQuestion q;
    q.questionLines = { "%ve" + cp932::text("走る"), "run fast" };
    q.answers = { "run", "", "dash", "", "" };
    const std::string line = formatQuestionLine(q);
    EXPECT_EQ(lastQuestionMenuQuestion(line), cp932::text("《問題》 【動詞】走る, run fast"));
    EXPECT_EQ(lastQuestionMenuAnswer(line), cp932::text("《解答》 run, dash"));
}

TEST(TextTarget, AppendsOnceAndRefusesTheSameLineLater)
{
    TempFolder desktop;
    const std::string path = lastQuestionsFilePath(desktop.path());
    ASSERT_TRUE(replaceFileAtomically(path, "?old,,,,,q,,,")); // no line end at the end
    const std::string longLine = "?" + std::string(3000, 'x') + ",,,,,q,,,";
    for (const std::string &line : { questionLine(1), longLine })
        expectReport(appendToLastQuestionsFile(desktop.path(), line), notice("追加しました"));
    // A later run finds them in the file, however long, not in memory.
    for (const std::string &line : { questionLine(1), longLine })
        expectReport(appendToLastQuestionsFile(desktop.path(), line),
                     notice("すでに登録されています"));
    EXPECT_EQ(*readWholeFile(path),
              "?old,,,,,q,,,\r\n" + questionLine(1) + "\r\n" + longLine + "\r\n");

    expectReport(appendToLastQuestionsFile(desktop.file("missing"), questionLine(2)),
                 { SaveReport::MessageBox, "Cannot open the file" });
    expectReport(appendToLastQuestionsFile(desktop.path(), ""), {});
}

CQuestionDatabase databaseWithOneSection()
{
    CQuestionDatabase database;
    CSection &words = database.root.addSection();
    words.name = "words";
    words.lines = { questionLine(0) };
    return database;
}

TEST(DatabaseTarget, CreatesTheCollectionOnceAndRefusesDuplicates)
{
    TempFolder data;
    const std::string path = data.file("DBv3.kvr");
    CQuestionDatabase database = databaseWithOneSection();

    expectReport(addToSavedQuestions(database, path, "taro", questionLine(1)),
                 notice("問題集 【回答中に保存された問題】 に追加しました"));
    expectReport(addToSavedQuestions(database, path, "jiro", questionLine(1)),
                 notice("すでにその問題は存在しています"));
    addToSavedQuestions(database, path, "jiro", questionLine(2));

    ASSERT_EQ(database.root.entries.size(), 2u);
    const CSection &saved = database.root.entries.back().section();
    EXPECT_EQ(saved.name, cp932::text(kSavedQuestionsSection));
    EXPECT_EQ(saved.header.field(CInnerHeader::CopyrightHolder), "various members");
    EXPECT_EQ(saved.header.field(CInnerHeader::Inputter), "taro");
    EXPECT_EQ(saved.header.field(CInnerHeader::StartMessage), "");
    EXPECT_EQ(saved.lines, (std::vector { questionLine(1), questionLine(2) }));
    CQuestionDatabase reread;
    ASSERT_TRUE(readDatabase(reread, path));
    EXPECT_EQ(reread, database);
}

TEST(DatabaseTarget, FailedWriteKeepsTheLineInMemory)
{
    TempFolder data;
    CQuestionDatabase database = databaseWithOneSection();
    expectReport(
        addToSavedQuestions(database, data.file("missing/DBv3.kvr"), "taro", questionLine(1)),
        notice("追加できませんでした"));
    // The next successful write stores it too.
    const std::string path = data.file("DBv3.kvr");
    addToSavedQuestions(database, path, "taro", questionLine(2));
    CQuestionDatabase reread;
    ASSERT_TRUE(readDatabase(reread, path));
    const CSection &saved = findSection(reread.root, cp932::text(kSavedQuestionsSection));
    EXPECT_EQ(saved.lines, (std::vector { questionLine(1), questionLine(2) }));
}

// Regression: keeping a question wrote the database as this program loaded it at start,
// throwing away what the editor had saved since.
TEST(DatabaseTarget, KeepsWhatAnotherProgramSavedSince)
{
    TempFolder data;
    const std::string path = data.file("DBv3.kvr");
    CQuestionDatabase loaded = databaseWithOneSection();
    ASSERT_TRUE(writeDatabase(loaded, path));
    CQuestionDatabase editors = loaded;
    editors.root.addSection().name = "B";
    editors.root.entries.front().section().lines.push_back(questionLine(7));
    ASSERT_TRUE(writeDatabase(editors, path));

    expectReport(addToSavedQuestions(loaded, path, "taro", questionLine(1)),
                 notice("問題集 【回答中に保存された問題】 に追加しました"));
    CQuestionDatabase reread;
    ASSERT_TRUE(readDatabase(reread, path));
    EXPECT_TRUE(hasSection(reread.root, "B"));
    EXPECT_EQ(reread.root.entries.front().section().lines.back(), questionLine(7));
    EXPECT_EQ(findSection(reread.root, cp932::text(kSavedQuestionsSection)).lines,
              std::vector { questionLine(1) });
    // A file that no longer reads is left alone.
    ASSERT_TRUE(replaceFileAtomically(path, "<not a database"));
    expectReport(addToSavedQuestions(loaded, path, "taro", questionLine(2)),
                 notice("追加できませんでした"));
    EXPECT_EQ(readWholeFile(path), "<not a database");
}

TEST(DatabaseTarget, KeepingAQuestionBacksUpTheFileFirst)
{
    TempFolder data;
    const std::string path = data.file("DBv3.kvr");
    CQuestionDatabase database = databaseWithOneSection();
    ASSERT_TRUE(writeDatabase(database, path));
    const std::optional<std::string> before = readWholeFile(path);
    test::FixedClock clock;
    test::CScriptedPrompter prompter;
    const CDailyBackup backup(clock, prompter);
    addToSavedQuestions(database, path, "taro", questionLine(1), &backup);
    EXPECT_EQ(readWholeFile(data.file("backup/DBv3-20261210.kvr")), before);
    EXPECT_NE(readWholeFile(path), before);
}

} // namespace
} // namespace kvr
