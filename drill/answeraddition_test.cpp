#include <gtest/gtest.h>
#include <unistd.h>

#include "db/questiondatabase.h"
#include "drill/answeraddition.h"
#include "drill/testsupport_session.h"
#include "platform/cp932.h"
#include "platform/dailybackup.h"
#include "platform/namedmutex.h"
#include "platform/testsupport.h"
#include "platform/testsupport_clock.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using session_test::questionLine;

const std::string kApple = questionLine("q", { "apple" });

class AnswerStoreTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path = folder / "DBv3.kvr";
    test::FixedClock clock;
    test::CScriptedPrompter prompter;
    CDailyBackup backup { clock, prompter };
    std::string marker = "kvr-answer-test-" + std::to_string(::getpid());
    CQuestionDatabase database;

    void SetUp() override
    {
        CFolder &words = database.root.addFolder();
        words.name = "Folder";
        CSection &section = words.addSection();
        section.name = "Words";
        section.lines = { questionLine("p", { "pear" }), kApple };
        ASSERT_TRUE(writeDatabase(database, path));
    }

    SaveReport add(const std::string &line, const std::string &answer)
    {
        CDatabaseAnswerStore store(database, path, &backup, marker);
        return store.addAnswer({ "Folder/Words", 1, line, answer });
    }

    std::string storedLine() const
    {
        CQuestionDatabase reread;
        EXPECT_TRUE(readDatabase(reread, path));
        return std::string(findSection(reread.root, "Folder/Words").lines[1]);
    }
};

TEST_F(AnswerStoreTest, TheAnswerBecomesTheNextOneInFileAndMemory)
{
    // The editor saved another collection since this program read the file.
    CQuestionDatabase editors = database;
    editors.root.addSection().name = "B";
    ASSERT_TRUE(writeDatabase(editors, path));
    const std::optional<std::string> before = readWholeFile(path);

    const SaveReport report = add(kApple, cp932::text("りんご"));
    EXPECT_EQ(report.kind, SaveReport::Notice);
    EXPECT_EQ(report.text, answerAddedText());
    const std::string expected = questionLine("q", { "apple", cp932::text("りんご") });
    EXPECT_EQ(storedLine(), expected);
    EXPECT_EQ(findSection(database.root, "Folder/Words").lines[1], expected);
    CQuestionDatabase reread;
    ASSERT_TRUE(readDatabase(reread, path));
    EXPECT_TRUE(hasSection(reread.root, "B"));
    EXPECT_EQ(readWholeFile(backupPathOf(path, "20261210")), before);

    // Once there, the same answer is not added twice.
    EXPECT_EQ(add(expected, cp932::text("りんご")).kind, SaveReport::Notice);
    EXPECT_EQ(storedLine(), expected);
}

TEST_F(AnswerStoreTest, RefusalsLeaveTheFileAsItWas)
{
    const std::string full = questionLine("q", { "a1", "a2", "a3", "a4", "a5" });
    struct Case
    {
        const char *what;
        std::string fileLine; // the line the file holds
        std::string drillLine; // the line the drill read
        std::string answer;
        std::string told;
    };
    const Case cases[] = {
        { "five answers", full, full, "a6", answersFullText() },
        { "changed in the editor", questionLine("q", { "apple", "x" }), kApple, "pomme",
          questionChangedText() },
        { "not CP932", kApple, kApple, "\x81", answerNotCp932Text() },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        findSection(database.root, "Folder/Words").lines.set(1, c.fileLine);
        ASSERT_TRUE(writeDatabase(database, path));
        const std::optional<std::string> before = readWholeFile(path);
        const SaveReport report = add(c.drillLine, c.answer);
        EXPECT_EQ(report.kind, SaveReport::MessageBox);
        EXPECT_EQ(report.text, c.told);
        EXPECT_EQ(readWholeFile(path), before);
        EXPECT_EQ(findSection(database.root, "Folder/Words").lines[1], c.fileLine);
    }
}

TEST_F(AnswerStoreTest, RefusedWhileTheEditorRunsOrTheFileDoesNotRead)
{
    const std::optional<std::string> before = readWholeFile(path);
    {
        CNamedMutex editor;
        ASSERT_TRUE(editor.acquire(marker));
        EXPECT_EQ(add(kApple, "pomme").text, answerEditorRunningText());
    }
    EXPECT_EQ(readWholeFile(path), before);
    ASSERT_TRUE(replaceFileAtomically(path, "<not a database"));
    EXPECT_EQ(add(kApple, "pomme").text, answerNotSavedText());
    EXPECT_EQ(readWholeFile(path), "<not a database");
    EXPECT_EQ(findSection(database.root, "Folder/Words").lines[1], kApple);
}

} // namespace
} // namespace kvr
