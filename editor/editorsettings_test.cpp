#include <gtest/gtest.h>
#include <string>

#include "db/testsupport.h"
#include "editor/editorsettings.h"
#include "platform/settingsstore.h"

namespace kvr {
namespace {

TEST(EditorSettings, AFirstLoadTakesTheDefaultsWritesThemBackAndMarksTheFirstRun)
{
    CMemorySettingsStore store;
    store.writeString("DBv3", "filename", "/d/DBv3.kvr");
    store.writeString("Options", "Wavefiledir", "/d/wav");
    store.clearChanges();
    CEditorSettings settings;
    EXPECT_TRUE(settings.load(store, "taro"));
    EXPECT_TRUE(settings.firstRun);
    EXPECT_EQ(settings.DatabaseFilename, "/d/DBv3.kvr");
    EXPECT_EQ(settings.Wavefiledir, "/d/wav");
    EXPECT_EQ(settings.LogPath, "");
    EXPECT_EQ(settings.Pediod, 200);
    EXPECT_EQ(settings.WindowSizeX, 600);
    EXPECT_EQ(settings.WindowSizeY, 500);
    EXPECT_EQ(settings.DefaultUser, "taro");
    const CSettingsValues stored = store.snapshot();
    EXPECT_EQ(stored.readInt("KvrEditor", "Pediod"), 200);
    EXPECT_EQ(stored.readInt("KvrEditor", "WindowSizeY"), 500);
    EXPECT_EQ(stored.readString("KvrEditor", "DefaultUser"), "taro");
    for (const SettingChange &change : store.changes())
        EXPECT_EQ(change.subkey, "KvrEditor") << change.name;

    CEditorSettings again;
    again.load(store, "jiro");
    EXPECT_FALSE(again.firstRun);
    EXPECT_EQ(again.DefaultUser, "taro");
}

TEST(EditorSettings, MissingOrMinusOneIntegersTakeTheirDefaultsAndAnEmptyUserIsReplaced)
{
    CMemorySettingsStore store;
    store.writeInt("KvrEditor", "Pediod", 320);
    store.writeInt("KvrEditor", "WindowSizeX", -1);
    store.writeInt("KvrEditor", "WindowSizeY", 700);
    store.writeString("KvrEditor", "DefaultUser", "");
    CEditorSettings settings;
    settings.load(store, sj("花子"));
    EXPECT_FALSE(settings.firstRun);
    EXPECT_EQ(settings.Pediod, 320);
    EXPECT_EQ(settings.WindowSizeX, 600);
    EXPECT_EQ(settings.WindowSizeY, 700);
    EXPECT_EQ(store.readString("KvrEditor", "DefaultUser"), sj("花子"));
    EXPECT_EQ(store.readInt("KvrEditor", "WindowSizeX"), 600);
}

TEST(EditorSettings, SavingWritesItsOwnSubkeyAndOnlyTheSharedValuesItChanged)
{
    CMemorySettingsStore store;
    store.writeString("DBv3", "filename", "/d/DBv3.kvr");
    store.writeString("Options", "LastSection", "A");
    store.writeString("Options", "SkinPath", "/skin.ini");
    CEditorSettings settings;
    settings.load(store, "u");
    settings.Pediod = 250;
    settings.WebdiciniPath = "/w.ini";
    // The study program selects another collection meanwhile.
    store.writeString("Options", "LastSection", "B");
    store.clearChanges();

    EXPECT_TRUE(settings.saveOwn(store));
    for (const SettingChange &change : store.changes())
        EXPECT_EQ(change.subkey, "KvrEditor") << change.name;
    EXPECT_EQ(store.readInt("KvrEditor", "Pediod"), 250);

    settings.DatabaseFilename = "/e/DBv3.kvr";
    EXPECT_TRUE(settings.saveAll(store));
    EXPECT_EQ(store.readString("DBv3", "filename"), "/e/DBv3.kvr");
    EXPECT_EQ(store.readString("Options", "WebdiciniPath"), "/w.ini");
    EXPECT_EQ(store.readString("Options", "LastSection"), "B");
    EXPECT_EQ(store.readString("Options", "SkinPath"), "/skin.ini");
    EXPECT_FALSE(store.snapshot().contains("Options", "LogPath"));
    EXPECT_EQ(readLastSection(store), "B");

    store.setReadOnly(true);
    EXPECT_FALSE(settings.saveAll(store));
}

TEST(EditorSettings, TheDividerStaysBetween15And600)
{
    const int rows[][2] = { { -3, 15 }, { 15, 15 }, { 300, 300 }, { 600, 600 }, { 900, 600 } };
    for (const auto &row : rows)
        EXPECT_EQ(limitDivider(row[0]), row[1]) << row[0];
}

} // namespace
} // namespace kvr
