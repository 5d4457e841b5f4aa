#include <gtest/gtest.h>

#include "app/kvrsettings.h"
#include "app/optionsfakes.h"
#include "app/optionssheet.h"
#include "app/optionswebdic.h"
#include "platform/cp932.h"
#include "platform/inifile.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::CRecordingSoundPlayer;
using test::CScriptedPrompter;
using test::ScriptedOptionsChooser;

WebDictionary site(const std::string &title, bool enabled = true, int type = 0)
{
    return WebDictionary { type, enabled, title, "http://h/", "" };
}

class OptionsSheetTest : public testing::Test
{
protected:
    OptionsSheetTest()
    {
        m_settings.InstallPath = m_folder.path();
        m_settings.WebdiciniPath = m_folder / "webdic.ini";
        m_sites = { site("one"), site("two", false) };
    }
    COptionsSheet &sheet()
    {
        if (!m_sheet) {
            m_sheet = std::make_unique<COptionsSheet>(OptionsSheetServices {
                m_settings, m_store, m_sites, m_sound, m_prompter, m_chooser, m_files,
                [this](std::int32_t colour) { m_previews.push_back(colour); } });
        }
        return *m_sheet;
    }

    TempFolder m_folder;
    CKvrSettings m_settings;
    CMemorySettingsStore m_store;
    std::vector<WebDictionary> m_sites;
    CRecordingSoundPlayer m_sound;
    CScriptedPrompter m_prompter;
    ScriptedOptionsChooser m_chooser;
    test::ScriptedFileDialogs m_files;
    std::vector<std::int32_t> m_previews;
    std::unique_ptr<COptionsSheet> m_sheet;
};

TEST_F(OptionsSheetTest, OkSavesEverythingAndWritesTheSites)
{
    sheet().copy().defaultQuestions = 42;
    sheet().copy().webdic.rows.push_back(site("three"));
    EXPECT_TRUE(sheet().confirm());
    EXPECT_EQ(m_settings.nDefaultQuestions, 42);
    EXPECT_EQ(m_store.readInt("Options", "nDefaultQuestions"), 42);
    ASSERT_EQ(m_sites.size(), 3u);
    std::vector<WebDictionary> written;
    readWebDictionaries(written, m_settings.WebdiciniPath);
    EXPECT_EQ(written, m_sites);
    EXPECT_TRUE(sheet().settingsChanged());
}

TEST_F(OptionsSheetTest, ApplyWithoutSavingKeepsTheStoreAndDropsTheSiteEdits)
{
    sheet().copy().defaultQuestions = 42;
    sheet().copy().webdic.rows.clear();
    EXPECT_TRUE(sheet().applyWithoutSaving());
    EXPECT_EQ(m_settings.nDefaultQuestions, 42);
    EXPECT_TRUE(m_store.changes().empty());
    EXPECT_EQ(m_sites.size(), 2u);
    EXPECT_FALSE(fileExists(m_settings.WebdiciniPath));
}

TEST_F(OptionsSheetTest, AFailedCheckSaysSoAfterItsOwnMessageAndKeepsTheSheetOpen)
{
    const CKvrSettings before = m_settings;
    sheet().copy().defaultQuestions = 201;
    EXPECT_FALSE(sheet().confirm());
    EXPECT_EQ(sheet().failedField(), "defaultQuestions");
    sheet().copy().defaultQuestions = 20;
    sheet().copy().correctSound = true;
    sheet().copy().correctSoundFile = "";
    EXPECT_FALSE(sheet().applyWithoutSaving());
    EXPECT_EQ(m_prompter.texts(),
              (std::vector<std::string> {
                  sj("0 から 200 までの整数を入力してください。"), sj("更新できませんでした"),
                  sj("正解時の効果音ファイルが見つかりません。設定し直してください。"),
                  sj("更新できませんでした") }));
    EXPECT_EQ(m_settings, before);
    EXPECT_TRUE(m_store.changes().empty());
    EXPECT_FALSE(sheet().settingsChanged());
}

TEST_F(OptionsSheetTest, CancelUndoesTheColourPreviewButNotTheSliders)
{
    m_chooser.colourAnswers = { Rgb { 1, 2, 3 } };
    sheet().chooseBackground();
    sheet().moveVoiceRate(7);
    sheet().moveVoiceVolume(30);
    sheet().cancel();
    EXPECT_EQ(m_previews, (std::vector<std::int32_t> { 0x030201, 16765088 }));
    EXPECT_EQ(m_chooser.colours, std::vector<Rgb> { rgbFromColorRef(16765088) });
    EXPECT_EQ(m_settings.BackgroundColor, 16765088);
    EXPECT_EQ(m_settings.VoiceRate, 7);
    EXPECT_EQ(m_settings.VoiceVolume, 30);
    EXPECT_TRUE(m_store.changes().empty());
    EXPECT_TRUE(sheet().settingsChanged());
}

TEST_F(OptionsSheetTest, DefaultsThenOkSwitchTheOrderDialogOff)
{
    ASSERT_TRUE(m_settings.ShowConfirmOrderDlg);
    sheet().restoreDefaults();
    ASSERT_TRUE(sheet().confirm());
    EXPECT_FALSE(m_settings.ShowConfirmOrderDlg);
    EXPECT_EQ(m_store.readInt("Options", "ShowConfirmOrderDlg"), 0);
}

TEST_F(OptionsSheetTest, EffectSoundTestsReportOnlyNamedFilesThatDoNotPlay)
{
    m_sound.unplayable = { "/bad.wav" };
    const std::pair<const char *, bool> rows[] = { { "", false },
                                                   { "/ok.wav", false },
                                                   { "/bad.wav", true } };
    for (auto [file, reported] : rows) {
        m_prompter.asked.clear();
        sheet().copy().incorrectSoundFile = file;
        sheet().testEffect(EffectSound::Incorrect);
        EXPECT_EQ(m_prompter.asked.size(), reported ? 1u : 0u) << file;
    }
    EXPECT_EQ(m_prompter.texts(),
              std::vector<std::string> {
                  sj("不正解時の効果音ファイルが存在しません・・・。設定し直してください。") });
}

TEST_F(OptionsSheetTest, TheDatabaseIsBrowsedOnlyAfterTheCaution)
{
    const std::string before = sheet().copy().databasePath;
    m_prompter.push(Reply::No);
    EXPECT_FALSE(sheet().browse(BrowseButton::Database));
    EXPECT_TRUE(m_files.requests.empty());
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].caption, "CAUTION!");
    EXPECT_EQ(m_prompter.asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(m_prompter.asked[0].icon, Icon::Warning);

    m_prompter.push(Reply::Yes);
    m_files.answers = { m_folder / "missing.kvr" };
    EXPECT_TRUE(sheet().browse(BrowseButton::Database));
    EXPECT_EQ(m_prompter.texts().back(), sj("ファイルが見つかりません。"));
    EXPECT_EQ(sheet().copy().databasePath, m_folder / "missing.kvr") << "taken anyway";
    ASSERT_EQ(m_files.requests.size(), 1u);
    const FileRequest &asked = m_files.requests[0];
    EXPECT_EQ(asked.title, "Kvr DatabaseFile Select");
    EXPECT_EQ(asked.proposedName, before);
    EXPECT_EQ(asked.filters,
              (std::vector<FileFilter> { { "Kvr DatabaseFile (*.kvr)", "*.kvr" },
                                         { sj("すべて(*.*)"), "*.*" } }));
}

TEST_F(OptionsSheetTest, SoundBrowsingStartsAtTheStoredFileInTheDataFolder)
{
    m_settings.CorrectSoundfile = "Correct.wav";
    m_folder.put("pick.wav", "RIFF");
    sheet().copy().correctSoundFile = "typed.wav";
    m_files.answers = { m_folder / "pick.wav", std::nullopt };
    EXPECT_TRUE(sheet().browse(BrowseButton::CorrectSound));
    EXPECT_FALSE(sheet().browse(BrowseButton::IncorrectSound));
    EXPECT_TRUE(m_prompter.asked.empty());
    EXPECT_EQ(sheet().copy().correctSoundFile, m_folder / "pick.wav");
    ASSERT_EQ(m_files.requests.size(), 2u);
    EXPECT_EQ(m_files.requests[0].title, sj("正解時の再生音"));
    EXPECT_EQ(m_files.requests[0].proposedName, "Correct.wav");
    EXPECT_EQ(m_files.requests[0].startFolder, m_settings.dataFolder());
    EXPECT_EQ(m_files.requests[1].title, sj("不正解時の再生音"));
    EXPECT_EQ(m_files.requests[0].filters.front().label, "WAV Files(*.wav)");

    m_files.answers = { "/voices" };
    EXPECT_TRUE(sheet().browse(BrowseButton::WavFolder));
    EXPECT_EQ(sheet().copy().wavFolder, "/voices");
    EXPECT_EQ(m_files.requests.back().mode, FileDialogMode::Folder);
    EXPECT_EQ(m_files.requests.back().title, sj("フォルダを選択してください"));
}

TEST_F(OptionsSheetTest, DeletingEverySiteWritesAnEmptyTypeForAllTenIndexes)
{
    WebDictionaryPage &page = sheet().copy().webdic;
    while (!page.rows.empty()) {
        selectWebDictionary(page, 0);
        EXPECT_TRUE(removeWebDictionary(page));
    }
    ASSERT_TRUE(sheet().confirm());
    for (int i = 0; i < kMaxWebDictionaries; ++i) {
        const std::string key = (i < 10 ? " " : "") + std::to_string(i) + "_dictype";
        EXPECT_EQ(getPrivateProfileString("WebDic", key, "absent", m_settings.WebdiciniPath), "");
    }
}

TEST_F(OptionsSheetTest, ChoosingAnotherWebdicFileShowsItsSitesAndOkKeepsThem)
{
    const std::string other = m_folder / "other.ini";
    const std::vector<WebDictionary> otherSites = { site("x"), site("y", false, 2) };
    ASSERT_TRUE(writeWebDictionaries(otherSites, other));
    m_files.answers = { other };
    sheet().copy().webdic.selected = 1;
    EXPECT_TRUE(sheet().browse(BrowseButton::Webdic));
    EXPECT_EQ(sheet().copy().webdic.rows, otherSites);
    EXPECT_EQ(sheet().copy().webdic.selected, -1);
    sheet().copy().webdic.rows.push_back(site("z"));
    EXPECT_TRUE(sheet().confirm());
    EXPECT_TRUE(m_prompter.asked.empty());
    std::vector<WebDictionary> written;
    readWebDictionaries(written, other);
    EXPECT_EQ(written, (std::vector<WebDictionary> { site("x"), site("y", false, 2), site("z") }));
    EXPECT_EQ(m_sites, written);
}

TEST_F(OptionsSheetTest, ANewWebdicFileThatDoesNotExistYetGetsTheCurrentSites)
{
    const std::string fresh = m_folder / "fresh.ini";
    m_files.answers = { fresh };
    EXPECT_TRUE(sheet().browse(BrowseButton::Webdic)); // "ファイルが見つかりません。", taken
    EXPECT_EQ(sheet().copy().webdic.rows, m_sites);
    EXPECT_TRUE(sheet().confirm());
    std::vector<WebDictionary> written;
    readWebDictionaries(written, fresh);
    EXPECT_EQ(written, (std::vector<WebDictionary> { site("one"), site("two", false) }));
}

TEST_F(OptionsSheetTest, ATypedPathOfAnotherExistingWebdicFileIsOverwrittenOnlyOnYes)
{
    const std::string other = m_folder / "other.ini";
    const std::vector<WebDictionary> otherSites = { site("x") };
    for (const Reply reply : { Reply::No, Reply::Yes }) {
        ASSERT_TRUE(writeWebDictionaries(otherSites, other));
        m_sites = { site("one"), site("two", false) };
        m_settings.WebdiciniPath = m_folder / "webdic.ini";
        m_sheet.reset();
        m_prompter.push(reply);
        sheet().copy().webdicPath = other;
        EXPECT_TRUE(sheet().confirm());
        ASSERT_EQ(m_prompter.asked.size(), 1u);
        EXPECT_NE(m_prompter.asked[0].text.find(other), std::string::npos);
        m_prompter.asked.clear();
        std::vector<WebDictionary> written;
        readWebDictionaries(written, other);
        const std::vector<WebDictionary> expected = reply == Reply::Yes
            ? std::vector<WebDictionary> { site("one"), site("two", false) }
            : otherSites;
        EXPECT_EQ(written, expected);
        EXPECT_EQ(m_sites, expected);
    }
}

TEST(OptionsWebdic, AddingAnEleventhSiteIsRefused)
{
    WebDictionaryPage page;
    CScriptedPrompter prompter;
    page.fields = site("x", false, 2);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(addWebDictionary(page, prompter));
    EXPECT_FALSE(addWebDictionary(page, prompter));
    EXPECT_EQ(page.rows.size(), 10u);
    EXPECT_EQ(page.rows.back(), site("x", true, 2)) << "a new site is ticked";
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { sj("登録できるのは 10 個までです。") });
}

TEST(OptionsWebdic, RowsMoveAndChangeWithTheirChecks)
{
    WebDictionaryPage page;
    page.rows = { site("a"), site("b", false), site("c") };
    selectWebDictionary(page, 1);
    EXPECT_EQ(page.fields.title, "b");
    EXPECT_TRUE(moveWebDictionary(page, -1));
    EXPECT_FALSE(moveWebDictionary(page, -1)) << "already first";
    EXPECT_EQ(page.selected, 0);
    EXPECT_TRUE(moveWebDictionary(page, +1));
    EXPECT_TRUE(moveWebDictionary(page, +1));
    EXPECT_FALSE(moveWebDictionary(page, +1)) << "already last";
    EXPECT_EQ(page.rows, (std::vector<WebDictionary> { site("a"), site("c"), site("b", false) }));

    page.fields = site("B", true, 1);
    EXPECT_TRUE(changeWebDictionary(page));
    EXPECT_EQ(page.rows[2], site("B", false, 1)) << "the check stays";
    selectWebDictionary(page, -1);
    EXPECT_FALSE(changeWebDictionary(page));
    EXPECT_FALSE(removeWebDictionary(page));
    EXPECT_EQ(webDictionaryTypeText(1), sj("和英辞書"));
}

} // namespace
} // namespace kvr
