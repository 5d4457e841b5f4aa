#include <gtest/gtest.h>
#include <set>

#include "app/kvrsettings.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"

namespace kvr {
namespace {

class KvrSettingsTest : public testing::Test
{
protected:
    KvrSettingsTest()
    {
        m_folder.put("program/Datas/DBv3.kvr", "db");
        m_locations = DataLocations { m_folder / "program", m_folder / "share", {}, {} };
    }

    CKvrSettings loaded()
    {
        CKvrSettings settings;
        settings.load(m_store, m_locations);
        return settings;
    }
    std::string program(const std::string &relative) const
    {
        return m_folder / ("program/" + relative);
    }

    TempFolder m_folder;
    DataLocations m_locations;
    CMemorySettingsStore m_store;
};

// Every field away from its default, so a field the walk forgets shows up.
CKvrSettings unusualSettings()
{
    CKvrSettings s;
    s.InstallPath = "/opt/kvr";
    s.CmpFilename = "/c/Complete.kvr";
    s.DatabaseFilename = "/c/\x95\x5C.kvr";
    s.SkinPath = "/s/blue.ini";
    s.LogPath = "/l/log.txt";
    s.WebdiciniPath = "/w/web.ini";
    s.UserName = "\x83\x5E\x83\x8D\x83\x45"; // タロウ
    s.LastSection = "Folder/Unit 1";
    s.ShowCorrectNumbersDlg = true; // always true in memory after a load
    s.ShowConfirmOrderDlg = false;
    s.IgnoreCase = false;
    s.IsSequencial = true;
    s.nDefaultQuestions = 35;
    s.IsRandomMistakeReply = true;
    s.CorrectWaitTime = 100;
    s.IncorrectWaitTime = 1200;
    s.CorrectSoundfile = "";
    s.IncorrectSoundfile = "/snd/bad.wav";
    s.ReplyStartLimitJe = 2000;
    s.UseReplyStartLimitJe = false;
    s.ReplyLimitEJ = 9000;
    s.UseReplyLimitEJ = false;
    s.ShowLimitEJ4 = 1300;
    s.UseShowLimitEJ4 = false;
    s.ReplyLimitEJ4 = 8000;
    s.UseReplyLimitEJ4 = false;
    s.ShowLimitJE4 = 1400;
    s.UseShowLimitJE4 = false;
    s.ReplyLimitJE4 = 7000;
    s.UseReplyLimitJE4 = false;
    s.AlwaysShowHint = true;
    s.MultiJudge = 1;
    s.MultiJudgeOverN = 3;
    s.CorrectrateMode = 0;
    s.UseVoice = false;
    s.UseJEVoice = false;
    s.UseJEVoice2 = false;
    s.UseEJ4Voice = false;
    s.VoiceRate = -4;
    s.VoiceVolume = 55;
    s.VoiceFormat = 12;
    s.UseWavvoice = true;
    s.Wavefiledir = "";
    s.BackgroundColor = 0x00FFFFFF;
    s.Opacity = 0;
    s.KvrWindowWidth = 1024;
    s.KvrWindowHeight = 768;
    s.TreeLogPeriod = 500;
    s.LogMode = 4;
    s.CorrectHeadNAnswerJE = false;
    s.nCorrectHeadNAnswerJE = 3;
    s.FoldFullWidth = false;
    return s;
}

std::set<std::string> writtenNames(const CMemorySettingsStore &store)
{
    std::set<std::string> names;
    for (const SettingChange &change : store.changes())
        names.insert(change.subkey + "/" + change.name);
    return names;
}

TEST_F(KvrSettingsTest, FirstStartWritesEveryDefaultOnce)
{
    const CKvrSettings settings = loaded();

    CKvrSettings expected;
    expected.InstallPath = m_folder / "program";
    expected.CmpFilename = program("Datas/Complete.kvr");
    expected.DatabaseFilename = program("Datas/DBv3.kvr");
    expected.SkinPath = program("skin/default.ini");
    expected.LogPath = program("Datas/translog.txt");
    expected.WebdiciniPath = program("Datas/webdic.ini");
    expected.CorrectSoundfile = program("Datas/Correct.wav");
    expected.IncorrectSoundfile = program("Datas/Incorrect.wav");
    expected.Wavefiledir = program("Datas/wavvoice");
    EXPECT_EQ(settings, expected);

    EXPECT_EQ(m_store.snapshot().size(), 52u);
    EXPECT_EQ(m_store.changes().size(), 52u);
    EXPECT_EQ(m_store.readInt("Options", "ShowCorrectNumbersDlg"), 0);
    EXPECT_EQ(m_store.readInt("Options", "BackgroundColor"), 16765088);
    EXPECT_EQ(m_store.readString("DBv3", "filename"), expected.DatabaseFilename);
    EXPECT_EQ(m_store.readString("Cmpdatabasefile", "filename"), expected.CmpFilename);

    // Everything was stored with the type the next load asks for: nothing is written again.
    m_store.clearChanges();
    EXPECT_EQ(loaded(), expected);
    EXPECT_TRUE(m_store.changes().empty());
}

TEST_F(KvrSettingsTest, SaveAllThenLoadGivesEqualSettings)
{
    CKvrSettings saved = unusualSettings();
    ASSERT_TRUE(saved.saveAll(m_store));
    EXPECT_EQ(m_store.snapshot().size(), 52u);
    m_store.clearChanges();
    EXPECT_EQ(loaded(), unusualSettings());
    EXPECT_TRUE(m_store.changes().empty());
}

TEST_F(KvrSettingsTest, RemovedValuesComeBackAsDefaultsBuiltFromTheStoredInstallPath)
{
    CKvrSettings saved = unusualSettings();
    ASSERT_TRUE(saved.saveAll(m_store));
    ASSERT_TRUE(m_store.remove("DBv3", "filename"));
    ASSERT_TRUE(m_store.remove("Options", "SkinPath"));
    ASSERT_TRUE(m_store.remove("Options", "KvrWindowWidth"));
    m_store.clearChanges();

    CKvrSettings expected = unusualSettings();
    expected.DatabaseFilename = "/opt/kvr/Datas/DBv3.kvr";
    expected.SkinPath = "/opt/kvr/skin/default.ini";
    expected.KvrWindowWidth = 600;
    EXPECT_EQ(loaded(), expected);
    EXPECT_EQ(
        writtenNames(m_store),
        (std::set<std::string> { "DBv3/filename", "Options/SkinPath", "Options/KvrWindowWidth" }));
    EXPECT_EQ(m_store.readString("DBv3", "filename"), "/opt/kvr/Datas/DBv3.kvr");
}

TEST_F(KvrSettingsTest, SettingsStoredBeforeTheWidthFoldingGainItSwitchedOn)
{
    CKvrSettings saved = unusualSettings();
    ASSERT_TRUE(saved.saveAll(m_store));
    ASSERT_TRUE(m_store.remove("Options", "FoldFullWidth"));
    m_store.clearChanges();

    CKvrSettings expected = unusualSettings();
    expected.FoldFullWidth = true;
    EXPECT_EQ(loaded(), expected);
    EXPECT_EQ(writtenNames(m_store), (std::set<std::string> { "Options/FoldFullWidth" }));
    EXPECT_EQ(m_store.readInt("Options", "FoldFullWidth"), 1);
}

TEST_F(KvrSettingsTest, OutOfRangeValuesAreRepairedOnLoad)
{
    struct Case
    {
        const char *name;
        int stored;
        int expected;
    };
    const Case cases[] = {
        { "CorrectrateMode", 7, 2 },  { "CorrectrateMode", -1, 2 }, { "CorrectrateMode", 3, 2 },
        { "CorrectrateMode", 0, 0 },  { "CorrectrateMode", 2, 2 },  { "MultiJudgeOverN", 9, 1 },
        { "MultiJudgeOverN", -1, 1 }, { "MultiJudgeOverN", 6, 1 },  { "MultiJudgeOverN", 0, 0 },
        { "MultiJudgeOverN", 5, 5 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " " << c.stored);
        ASSERT_TRUE(m_store.writeInt("Options", c.name, c.stored));
        const CKvrSettings settings = loaded();
        const int value = std::string(c.name) == "CorrectrateMode" ? settings.CorrectrateMode
                                                                   : settings.MultiJudgeOverN;
        EXPECT_EQ(value, c.expected);
    }
}

TEST_F(KvrSettingsTest, OutOfRangeValuesAreRepairedOnSave)
{
    CKvrSettings settings = loaded();
    settings.CorrectrateMode = 9;
    settings.MultiJudgeOverN = -3;
    ASSERT_TRUE(settings.saveAll(m_store));
    EXPECT_EQ(settings.CorrectrateMode, 2);
    EXPECT_EQ(m_store.readInt("Options", "CorrectrateMode"), 2);
    EXPECT_EQ(m_store.readInt("Options", "MultiJudgeOverN"), 1);

    settings.CorrectrateMode = -4;
    ASSERT_TRUE(settings.saveWindowState(m_store));
    EXPECT_EQ(m_store.readInt("Options", "CorrectrateMode"), 2);
}

TEST_F(KvrSettingsTest, TextMarkersDecideWhetherAnEmptyTextStays)
{
    struct Case
    {
        const char *name;
        std::optional<std::string> stored; // nothing: the value is removed
        std::string expected;
    };
    const Case cases[] = {
        { "CorrectSoundfile", "", "" },
        { "CorrectSoundfile", std::nullopt, program("Datas/Correct.wav") },
        { "CorrectSoundfile", "no entry", program("Datas/Correct.wav") },
        { "IncorrectSoundfile", "", "" },
        { "Wavefiledir", "", "" },
        { "Wavefiledir", std::nullopt, program("Datas/wavvoice") },
        { "LogPath", "", program("Datas/translog.txt") },
        { "WebdiciniPath", "", program("Datas/webdic.ini") },
        { "LastSection", "", "" },
        { "LastSection", "no entry", "no entry" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " " << c.stored.value_or("(removed)"));
        loaded();
        ASSERT_TRUE(c.stored ? m_store.writeString("Options", c.name, *c.stored)
                             : m_store.remove("Options", c.name));
        loaded();
        EXPECT_EQ(m_store.readString("Options", c.name), c.expected);
    }
}

TEST_F(KvrSettingsTest, MarkerOrOtherTypeCountsAsMissing)
{
    ASSERT_TRUE(m_store.writeInt("Options", "Opacity", -5));
    ASSERT_TRUE(m_store.writeString("Options", "KvrWindowHeight", "800"));
    ASSERT_TRUE(m_store.writeInt("Options", "UserName", 3));
    ASSERT_TRUE(m_store.writeInt("Options", "IgnoreCase", 7)); // any non-zero is true
    const CKvrSettings settings = loaded();
    EXPECT_EQ(settings.Opacity, 80);
    EXPECT_EQ(settings.KvrWindowHeight, 450);
    EXPECT_EQ(settings.UserName, "");
    EXPECT_TRUE(settings.IgnoreCase);
    EXPECT_EQ(m_store.readInt("Options", "Opacity"), 80);
    EXPECT_EQ(m_store.readInt("Options", "KvrWindowHeight"), 450);
    EXPECT_EQ(m_store.readString("Options", "UserName"), "");
    EXPECT_EQ(m_store.readInt("Options", "IgnoreCase"), 7);
}

TEST_F(KvrSettingsTest, QuestionCountDialogIsAlwaysOfferedInMemory)
{
    ASSERT_TRUE(m_store.writeInt("Options", "ShowCorrectNumbersDlg", 0));
    CKvrSettings settings = loaded();
    EXPECT_TRUE(settings.ShowCorrectNumbersDlg);

    settings.ShowCorrectNumbersDlg = false;
    ASSERT_TRUE(settings.saveAll(m_store));
    EXPECT_EQ(m_store.readInt("Options", "ShowCorrectNumbersDlg"), 0);
    EXPECT_TRUE(settings.ShowCorrectNumbersDlg);
}

TEST_F(KvrSettingsTest, PartialSavesWriteOnlyTheirValues)
{
    CKvrSettings settings = unusualSettings();
    m_store.clearChanges();
    ASSERT_TRUE(settings.saveWindowState(m_store));
    EXPECT_EQ(writtenNames(m_store),
              (std::set<std::string> { "Options/KvrWindowWidth", "Options/KvrWindowHeight",
                                       "Options/TreeLogPeriod", "Options/CorrectrateMode",
                                       "Options/LogMode" }));
    EXPECT_EQ(m_store.readInt("Options", "TreeLogPeriod"), 500);

    m_store.clearChanges();
    ASSERT_TRUE(settings.saveLastSection(m_store));
    EXPECT_EQ(writtenNames(m_store), (std::set<std::string> { "Options/LastSection" }));
    EXPECT_EQ(m_store.readString("Options", "LastSection"), "Folder/Unit 1");
}

TEST_F(KvrSettingsTest, StoreFailuresLeaveDefaultsInMemory)
{
    m_store.setReadOnly(true);
    CKvrSettings settings;
    EXPECT_FALSE(settings.load(m_store, m_locations));
    EXPECT_EQ(settings.DatabaseFilename, program("Datas/DBv3.kvr"));
    EXPECT_FALSE(settings.saveAll(m_store));
    EXPECT_EQ(m_store.snapshot().size(), 0u);
}

TEST_F(KvrSettingsTest, DataFolderOfAnEmptyInstallPathIsTheLoneSeparator)
{
    CKvrSettings settings;
    EXPECT_EQ(settings.dataFolder(), "/");
    settings.InstallPath = "/opt/kvr";
    EXPECT_EQ(settings.dataFolder(), "/opt/kvr/Datas");
}

TEST_F(KvrSettingsTest, ValuesOfOtherProgramsSurviveInTheSettingsFile)
{
    CFileSettingsStore study(m_folder / "config/Ombrel Presents/Kvr.conf");
    CFileSettingsStore editor(study.path());
    ASSERT_TRUE(editor.writeInt("KvrEditor", "Pediod", 240));

    CKvrSettings settings;
    ASSERT_TRUE(settings.load(study, m_locations));
    settings.KvrWindowWidth = 777;
    ASSERT_TRUE(settings.saveWindowState(study));
    ASSERT_TRUE(editor.writeString("Options", "LastSection", "A/B"));

    CKvrSettings again;
    ASSERT_TRUE(again.load(study, m_locations));
    EXPECT_EQ(again.KvrWindowWidth, 777);
    EXPECT_EQ(again.LastSection, "A/B");
    EXPECT_EQ(study.readInt("KvrEditor", "Pediod"), 240);
    EXPECT_EQ(study.snapshot().size(), 53u);
}

} // namespace
} // namespace kvr
