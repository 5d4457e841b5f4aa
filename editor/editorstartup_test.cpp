#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "editor/editorsettings.h"
#include "editor/editorstartup.h"
#include "editor/testsupport_editor.h"
#include "editor/textrules.h"
#include "platform/namedmutex.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using Strings = std::vector<std::string>;

// A start over a database file in a fresh folder; the file dialog answers from a list.
struct StartFixture
{
    StartFixture()
    {
        store.writeString("DBv3", "filename", dbFile.path());
        store.writeInt("KvrEditor", "Pediod", 200);
        writeFile(dbFile.path(), "<s>\r\nS\r\n\r\n\r\n\r\n.\r\n</s>\r\n");
    }
    EditorStart start() { return startEditor(context); }

    CTempFile dbFile { "DBv3.kvr" };
    CMemorySettingsStore store;
    CEditorSettings settings;
    CQuestionDatabase database;
    std::vector<WebDictionary> dictionaries;
    test::CScriptedPrompter prompter;
    test::ScriptedFileDialogs files;
    CNamedMutex instance;
    EditorStartContext context { settings,     store,    database,
                                 dictionaries, prompter, files,
                                 instance,     "user",   test::uniqueMarkerName() };
};

TEST(EditorStartup, ReadsTheDatabaseAndTheDictionariesAndHoldsTheInstance)
{
    StartFixture start;
    const std::string ini = start.dbFile.folder() + "/webdic.ini";
    writeFile(ini, "[WebDic]\r\n 0_dictype=ej\r\n 0_title=T\r\n");
    start.store.writeString("Options", "WebdiciniPath", ini);
    EXPECT_EQ(start.start(), EditorStart::Ready);
    EXPECT_TRUE(hasSection(start.database.root, "S"));
    ASSERT_EQ(start.dictionaries.size(), 1u);
    EXPECT_TRUE(start.prompter.asked.empty());

    CNamedMutex second;
    EXPECT_FALSE(second.acquire(start.context.instanceName));
    StartFixture another;
    another.context.instanceName = start.context.instanceName;
    EXPECT_EQ(another.start(), EditorStart::AlreadyRunning);
    EXPECT_TRUE(another.prompter.asked.empty());

    start.settings.Pediod = 333;
    finishEditor(start.context);
    EXPECT_EQ(start.store.readInt("KvrEditor", "Pediod"), 333);
    EXPECT_TRUE(second.acquire(start.context.instanceName));
}

TEST(EditorStartup, RefusesWithoutADatabaseSettingAndShowsTheUsageOnTheFirstRun)
{
    StartFixture start;
    start.store.remove("DBv3", "filename");
    EXPECT_EQ(start.start(), EditorStart::NoDatabaseSetting);
    EXPECT_EQ(start.prompter.asked,
              std::vector { errorBox(sj("レジストリの読み込みに失敗しました")) });
    CNamedMutex free;
    EXPECT_TRUE(free.acquire(start.context.instanceName)); // given up again
    free.close();

    StartFixture first;
    first.store.remove("KvrEditor", "Pediod");
    EXPECT_EQ(first.start(), EditorStart::Ready);
    ASSERT_EQ(first.prompter.asked.size(), 1u);
    EXPECT_EQ(first.prompter.asked[0].caption, sj("KvrEditorの使い方"));
    EXPECT_EQ(first.prompter.asked[0], editorUsageMessage());
}

TEST(EditorStartup, AMissingDatabaseIsAskedForAndStoredAtOnce)
{
    const std::string missing = sj("データベースファイルが見つかりませんでした。次のダイアログで"
                                   "指定してください。");
    StartFixture start;
    const std::string old = start.dbFile.folder() + "/old.kvr";
    start.store.writeString("DBv3", "filename", old);
    start.files.answers = { start.dbFile.path() };
    EXPECT_EQ(start.start(), EditorStart::Ready);
    EXPECT_EQ(start.prompter.texts(), (Strings { missing }));
    EXPECT_EQ(start.prompter.asked[0].caption, "Error");
    EXPECT_EQ(start.files.requests[0].title,
              sj("データベースファイル DBv3.kvr を指定してください。"));
    EXPECT_EQ(start.files.requests[0].startFolder, start.dbFile.folder());
    EXPECT_EQ(start.files.requests[0].proposedName, "old.kvr");
    EXPECT_EQ(start.files.requests[0].defaultExtension, "kvr");
    EXPECT_EQ(start.store.readString("DBv3", "filename"), start.dbFile.path());

    StartFixture cancelled;
    cancelled.store.writeString("DBv3", "filename", old);
    cancelled.files.answers = { std::nullopt };
    EXPECT_EQ(cancelled.start(), EditorStart::DatabaseNotChosen);
    EXPECT_EQ(cancelled.store.readString("DBv3", "filename"), old);
}

TEST(EditorStartup, AnUnreadableDatabaseIsToldAndLeavesTheTreeAlone)
{
    StartFixture start;
    writeFile(start.dbFile.path(), "<s>\r\nopen\r\n");
    start.database.root.addSection().name = "kept";
    EXPECT_EQ(start.start(), EditorStart::DatabaseUnreadable);
    EXPECT_EQ(start.prompter.texts(),
              Strings { sj("データベースファイル ") + start.dbFile.path()
                        + sj(" が開けませんでした。") });
    EXPECT_TRUE(hasSection(start.database.root, "kept"));
}

} // namespace
} // namespace kvr
