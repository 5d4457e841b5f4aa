#include <gtest/gtest.h>

#include "app/kvrsettings.h"
#include "app/startup.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::CScriptedPrompter;
using test::ScriptedFileDialogs;

CQuestionDatabase databaseWith(const std::string &sectionName)
{
    CQuestionDatabase database;
    database.root.addSection().name = sectionName;
    return database;
}

CAnswerLog logWith(const std::string &learner)
{
    CAnswerLog log;
    log.addUserLog(learner);
    return log;
}

std::string unreadableDatabase()
{
    return formatDatabase(databaseWith("cut")).substr(0, 6); // no closing tag
}
const std::string kUnreadableLog = "[u]\r\n\"s\"\r\n";

class StartupTest : public testing::Test
{
protected:
    StartupTest()
    {
        m_settings.DatabaseFilename = m_folder / "Datas/DBv3.kvr";
        m_settings.LogPath = m_folder / "Datas/translog.txt";
        m_settings.WebdiciniPath = m_folder / "Datas/webdic.ini";
    }
    void putDatabase(const std::string &name)
    {
        putDatabaseText(formatDatabase(databaseWith(name)));
    }
    void putDatabaseText(const std::string &text) { m_folder.put("Datas/DBv3.kvr", text); }
    void putLog(const std::string &learner) { putLogText(logWith(learner).formatAnswerLog()); }
    void putLogText(const std::string &text) { m_folder.put("Datas/translog.txt", text); }
    void putWebDictionaries() { m_folder.put("Datas/webdic.ini", "[WebDic]\n0_dictype=ej\n"); }

    std::vector<std::string> startUp(bool expected)
    {
        std::vector<std::string> statuses;
        EXPECT_EQ(loadStartupData(m_context, [&](std::string s) { statuses.push_back(s); }),
                  expected);
        return statuses;
    }
    std::string firstSection() const
    {
        return m_database.root.entries.empty() ? "(none)" : m_database.root.entries[0].name();
    }
    std::string firstLearner() const
    {
        return m_log.users.empty() ? "(none)" : m_log.users[0].name;
    }

    TempFolder m_folder;
    CKvrSettings m_settings;
    CMemorySettingsStore m_store;
    CQuestionDatabase m_database;
    CAnswerLog m_log;
    std::vector<WebDictionary> m_webDictionaries;
    CScriptedPrompter m_prompter;
    ScriptedFileDialogs m_chooser;
    StartupContext m_context { m_settings,        m_store,    m_database, m_log,
                               m_webDictionaries, m_prompter, m_chooser };
};

TEST_F(StartupTest, LoadsTheThreeFilesAnnouncingEach)
{
    putDatabase("words");
    putLog("learner");
    putWebDictionaries();
    EXPECT_EQ(startUp(true),
              (std::vector<std::string> { "Loading database...", "Loading logfiles...",
                                          "Loading webdic-inifile...", "" }));
    EXPECT_EQ(firstSection(), "words");
    EXPECT_EQ(firstLearner(), "learner");
    EXPECT_EQ(m_webDictionaries.size(), 1u);
    EXPECT_TRUE(m_prompter.asked.empty());
    EXPECT_TRUE(m_chooser.requests.empty());
}

TEST_F(StartupTest, FailuresStopTheLoaderButAMissingWebDictionaryFileDoesNot)
{
    putDatabaseText(unreadableDatabase());
    putLog("learner");
    EXPECT_EQ(startUp(false), (std::vector<std::string> { "Loading database..." }));
    EXPECT_EQ(firstLearner(), "(none)");

    putDatabase("words");
    putLogText(kUnreadableLog);
    m_prompter.replies = { Reply::Ok, Reply::No }; // the refusal, then no recovery
    EXPECT_EQ(startUp(false),
              (std::vector<std::string> { "Loading database...", "Loading logfiles..." }));

    putLog("learner");
    EXPECT_EQ(startUp(true).size(), 4u); // no webdic.ini
    EXPECT_TRUE(m_webDictionaries.empty());
}

// The two files differ only in their setting and texts.
struct FileCase
{
    const char *name;
    std::string CKvrSettings::*path;
    bool (*load)(StartupContext &);
    const char *missingText;
    const char *title;
    FileFilter filter;
    const char *prefix;
    const char *subkey, *valueName;
};

const FileCase kFiles[] = {
    { "database",
      &CKvrSettings::DatabaseFilename,
      loadDatabase,
      "データベースファイルが見つかりませんでした。次のダイアログで指定してください。",
      "データベースファイル DBv3.kvr を指定してください。",
      { "Kvr Files(*.kvr)", "*.kvr" },
      "データベースファイル ",
      "DBv3",
      "filename" },
    { "log",
      &CKvrSettings::LogPath,
      loadLog,
      "ログファイルが見つかりませんでした。次のダイアログで指定してください。",
      "ログファイル translog.txt を指定してください。",
      { "Log Files(*.txt)", "*.txt" },
      "ログファイル ",
      "Options",
      "LogPath" },
};

TEST_F(StartupTest, MissingFileIsAskedForAndTheChoiceStoredAtOnce)
{
    for (const FileCase &file : kFiles) {
        SCOPED_TRACE(file.name);
        m_prompter.asked.clear();
        m_chooser.requests.clear();
        const std::string configured = m_folder / (std::string("missing-") + file.name);
        m_settings.*file.path = configured;
        const std::string chosen = m_folder / (std::string("chosen-") + file.name);
        m_folder.put(std::string("chosen-") + file.name, "[u]\r\n\"s\"\r\n"); // unreadable
        m_chooser.answers = { chosen };
        m_prompter.replies = { Reply::Ok, Reply::Ok, Reply::No }; // no recovery of the log

        EXPECT_FALSE(file.load(m_context));
        ASSERT_EQ(m_prompter.asked.size(), file.load == loadLog ? 3u : 2u);
        const Message &missing = m_prompter.asked[0];
        EXPECT_EQ(missing.text, cp932::text(file.missingText));
        EXPECT_EQ(missing.caption, "Error!");
        EXPECT_TRUE(missing.systemModal);
        EXPECT_EQ(missing.icon, Icon::None);
        ASSERT_EQ(m_chooser.requests.size(), 1u);
        EXPECT_EQ(m_chooser.requests[0].title, cp932::text(file.title));
        EXPECT_EQ(m_chooser.requests[0].filters,
                  (std::vector<FileFilter> { file.filter, { cp932::text("すべて(*.*)"), "*.*" } }));
        EXPECT_EQ(m_chooser.requests[0].proposedName, configured);
        EXPECT_TRUE(m_chooser.requests[0].mustExist);
        // Stored although the chosen file then fails to read.
        EXPECT_EQ(m_settings.*file.path, chosen);
        EXPECT_EQ(m_store.readString(file.subkey, file.valueName), chosen);
        EXPECT_EQ(m_prompter.asked[1].text,
                  cp932::text(file.prefix) + chosen + cp932::text(" が開けませんでした。"));
        EXPECT_TRUE(m_prompter.asked[1].systemModal);
    }
}

TEST_F(StartupTest, CancelledDialogKeepsEverythingAsItWas)
{
    m_database = databaseWith("old");
    m_log = logWith("old learner");
    for (const FileCase &file : kFiles) {
        SCOPED_TRACE(file.name);
        m_prompter.asked.clear();
        const std::string configured = m_folder / "missing";
        m_settings.*file.path = configured;
        EXPECT_FALSE(file.load(m_context));
        EXPECT_EQ(m_prompter.asked.size(), 1u); // only the missing-file message
        EXPECT_EQ(m_settings.*file.path, configured);
    }
    EXPECT_TRUE(m_store.changes().empty());
    EXPECT_EQ(firstSection(), "old");
    EXPECT_EQ(firstLearner(), "old learner");
}

TEST_F(StartupTest, ReloadOfUnreadableFilesKeepsTheLoadedData)
{
    m_database = databaseWith("old");
    m_log = logWith("old learner");
    putDatabaseText(unreadableDatabase());
    putLogText(kUnreadableLog);
    m_prompter.replies = { Reply::Ok, Reply::Ok, Reply::No };
    EXPECT_FALSE(reloadData(m_context)); // the log is tried although the database failed
    std::vector<std::string> texts = m_prompter.texts();
    ASSERT_EQ(texts.size(), 3u);
    texts.pop_back(); // the question whether to load what reads
    EXPECT_EQ(texts,
              (std::vector<std::string> { cp932::text("データベースファイル ")
                                              + m_settings.DatabaseFilename
                                              + cp932::text(" が開けませんでした。"),
                                          cp932::text("ログファイル ") + m_settings.LogPath
                                              + cp932::text(" が開けませんでした。") }));
    EXPECT_EQ(firstSection(), "old");
    EXPECT_EQ(firstLearner(), "old learner");

    putLog("new learner");
    EXPECT_FALSE(reloadData(m_context));
    EXPECT_EQ(firstLearner(), "new learner");
    putDatabase("new");
    EXPECT_TRUE(reloadData(m_context));
    EXPECT_EQ(firstSection(), "new");
    EXPECT_EQ(m_database.root.entries.size(), 1u); // replaced, not appended
}

TEST_F(StartupTest, SaveLogReportsAFailure)
{
    CAnswerLog log = logWith("learner");
    m_folder.put("Datas/x", "");
    EXPECT_TRUE(saveLog(log, m_settings, m_prompter));
    EXPECT_EQ(readFile(m_settings.LogPath), log.formatAnswerLog());
    EXPECT_TRUE(m_prompter.asked.empty());

    m_settings.LogPath = m_folder / "no/such/translog.txt";
    EXPECT_FALSE(saveLog(log, m_settings, m_prompter));
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].text,
              cp932::text("ログファイル ") + m_settings.LogPath
                  + cp932::text(" を保存できませんでした。"));
    EXPECT_EQ(m_prompter.asked[0].caption, "Error!");
    EXPECT_TRUE(m_prompter.asked[0].systemModal);
}

class FixedClock final : public IClock
{
public:
    std::int64_t now() const override { return m_now; }
    std::uint32_t tick() const override { return 0; }
    std::int64_t m_now = 0;
};

// Regression: one damaged line (a log cut mid-line) locked every learner out. The refusal
// stays the first step; then the learner may keep the readable records, the file copied aside.
TEST_F(StartupTest, ADamagedLogLineOffersToLoadTheRestWithTheFileCopiedAside)
{
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    FixedClock clock;
    clock.m_now = 1700000000; // 2023-11-14 22:13:20 UTC
    m_context.clock = &clock;
    putDatabase("words");
    const std::string good =
        "[u]\r\n\"A\",1,0,5,1,3,4,1,0,5,8,4,\r\nql=1+0&\r\ntm=7,1,1\r\nlm=\r\n";
    const std::string text =
        "# h\r\n" + good + "\"B\",1,2\r\nql=9+9&\r\n[v]\r\n\"C\",3,0,0,1,0,0,\r\n\"cut";
    putLogText(text);
    for (const Reply reply : { Reply::No, Reply::Yes }) {
        m_prompter.asked.clear();
        m_prompter.replies = { Reply::Ok, reply };
        m_log = logWith("old");
        EXPECT_EQ(loadLog(m_context), reply == Reply::Yes);
        ASSERT_EQ(m_prompter.asked.size(), 2u);
        EXPECT_EQ(m_prompter.asked[0].text,
                  cp932::text("ログファイル ") + m_settings.LogPath
                      + cp932::text(" が開けませんでした。"));
        const Message &question = m_prompter.asked[1];
        EXPECT_EQ(question.text,
                  cp932::text("履歴ファイルの 7 行目が壊れています。壊れた部分を除いて読み込み"
                              "ますか？（元のファイルは translog-damaged-20231114-221320.txt "
                              "として保存されます）"));
        EXPECT_EQ(question.buttons, Buttons::YesNo);
        const std::string copy = m_folder / "Datas/translog-damaged-20231114-221320.txt";
        if (reply == Reply::No) {
            EXPECT_EQ(firstLearner(), "old");
            EXPECT_FALSE(fileExists(copy));
            continue;
        }
        EXPECT_EQ(readFile(copy), text);
        EXPECT_EQ(readFile(m_settings.LogPath), text); // written only by the next save
        ASSERT_EQ(m_log.users.size(), 2u);
        EXPECT_EQ(m_log.users[0].sections.size(), 1u); // B and its tally line left out
        EXPECT_EQ(m_log.users[0].sections[0].seriesSeed, 7u);
        EXPECT_EQ(m_log.users[1].sections.size(), 1u); // the cut last record left out
        EXPECT_EQ(m_log.users[1].sections[0].sectionName, "C");
    }
}

} // namespace
} // namespace kvr
