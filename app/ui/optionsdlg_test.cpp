#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/kvrsettings.h"
#include "app/optionsfakes.h"
#include "app/ui/optionsdlg.h"
#include "drill/pronunciation.h"
#include "platform/cp932.h"
#include "platform/inifile.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

} // namespace

class OptionsDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void init()
    {
        m_folder = std::make_unique<TempFolder>();
        const std::string source = qEnvironmentVariable("KVR_TEST_SOURCE_DIR").toStdString();
        for (const char *skin : { "default.ini", "compact.ini", "large.ini" })
            m_folder->put(std::string("skin/") + skin, readFile(source + "/data/skin/" + skin));
        m_settings = CKvrSettings();
        m_settings.InstallPath = m_folder->path();
        m_settings.SkinPath = m_folder->file("skin/default.ini");
        m_settings.WebdiciniPath = m_folder->file("webdic.ini");
        m_settings.nDefaultQuestions = 35;
        m_settings.Opacity = 30;
        m_settings.VoiceFormat = 27;
        m_sites = { { 0, true, sj("英和"), "http://e/", "" },
                    { 2, false, "Find", "http://f/?q=", "&x" } };
        m_store = std::make_unique<CMemorySettingsStore>();
        m_speech.available = true;
        m_speech.calls.clear();
        m_prompter = std::make_unique<CScriptedPrompter>();
        m_chooser = std::make_unique<ScriptedOptionsChooser>();
        m_files = {};
        m_pronunciation = std::make_unique<CPronunciation>(&m_speech, m_sound, m_settings);
        m_help.clear();
        m_previews.clear();
        m_context = std::make_unique<OptionsContext>(
            OptionsContext { m_settings, *m_store, m_sites, *m_pronunciation, m_sound, *m_prompter,
                             [this](const QUrl &url) { m_help << url; },
                             [this](std::int32_t colour) { m_previews.push_back(colour); },
                             m_chooser.get(), &m_files });
        m_dialog = std::make_unique<COptionsDlg>(*m_context);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void cleanup()
    {
        m_dialog.reset();
        expectNoTopLevelWindows();
    }

    void everyPageHasItsTreeItem()
    {
        auto *tree = child<QTreeWidget>(m_dialog.get(), "pageTree");
        auto *stack = m_dialog->findChild<QStackedWidget *>();
        const std::pair<const char *, int> expected[] = {
            { "全般", 10 },        { "回答", 20 },         { "直接入力モード", 23 },
            { "４択モード", 24 },  { "画面デザイン", 21 }, { "音声再生", 22 },
            { "Web辞書検索", 40 }, { "ファイル", 30 },
        };
        QCOMPARE(m_dialog->windowTitle(), utext("Kvr オプション"));
        QCOMPARE(tree->currentItem()->text(0), utext("全般"));
        QVERIFY(tree->topLevelItem(1)->isExpanded());
        QCOMPARE(tree->topLevelItem(1)->childCount(), 4);
        int index = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it, ++index) {
            QCOMPARE((*it)->text(0), utext(expected[index].first));
            QCOMPARE((*it)->data(0, Qt::UserRole).toInt(), expected[index].second);
            tree->setCurrentItem(*it);
            QCOMPARE(stack->currentWidget()->objectName(),
                     QStringLiteral("page%1").arg(expected[index].second));
            QCOMPARE(child<COptionHeader>(m_dialog.get(), "header")->title(),
                     utext(expected[index].first));
            saveScreenshot(m_dialog.get(),
                           QStringLiteral("options_%1").arg(expected[index].second));
        }
        QCOMPARE(index, 8);
    }

    void settingsReachTheirWidgets()
    {
        QCOMPARE(child<QSpinBox>(m_dialog.get(), "defaultQuestions")->value(), 35);
        QCOMPARE(child<QComboBox>(m_dialog.get(), "opacityIndex")->currentText(), utext("30%"));
        QCOMPARE(child<QComboBox>(m_dialog.get(), "formatIndex")->currentText(),
                 utext("24kHz 16 Bit Stereo"));
        QCOMPARE(child<QLineEdit>(m_dialog.get(), "answerTitle")->text(), utext("Answer  >>"));
        QCOMPARE(child<QLineEdit>(m_dialog.get(), "skinWidth")->text(), utext("800"));
        QCOMPARE(child<QListWidget>(m_dialog.get(), "skinList")->count(), 3);
        auto *sites = child<QTreeWidget>(m_dialog.get(), "webdicList");
        QCOMPARE(sites->topLevelItemCount(), 2);
        QCOMPARE(sites->topLevelItem(1)->text(0), utext("Web検索"));
        QCOMPARE(sites->topLevelItem(1)->checkState(0), Qt::Unchecked);
        QVERIFY(child<QCheckBox>(m_dialog.get(), "hideCountDialog")->isHidden());
    }

    void theWidthFoldingCheckReachesItsSetting()
    {
        auto *fold = child<QCheckBox>(m_dialog.get(), "foldFullWidth");
        QCOMPARE(fold->text(), utext("全角の英数字・記号を半角として判定する"));
        QVERIFY(fold->isChecked());
        fold->click();
        click(m_dialog.get(), "ok");
        QVERIFY(!m_settings.FoldFullWidth);
        QCOMPARE(m_store->readInt("Options", "FoldFullWidth"), 0);
    }

    void theArrowsStayInsideTheRangeWhileTypingMayLeaveIt()
    {
        auto *wait = child<QSpinBox>(m_dialog.get(), "correctWaitTime");
        wait->setValue(1999);
        wait->stepBy(5);
        QCOMPARE(wait->value(), 2000);
        QTest::keyClick(wait, Qt::Key_PageUp);
        QCOMPARE(wait->value(), 2000);
        wait->setValue(2500);
        QCOMPARE(wait->value(), 2500);
    }

    void aSkinChosenFromTheListShowsItsInformation()
    {
        auto *list = child<QListWidget>(m_dialog.get(), "skinList");
        const QList<QListWidgetItem *> compact = list->findItems("compact.ini", Qt::MatchExactly);
        QCOMPARE(compact.size(), 1);
        list->setCurrentItem(compact.front());
        QCOMPARE(child<QLineEdit>(m_dialog.get(), "skinPath")->text(),
                 qtext(m_folder->file("skin/compact.ini")));
        QCOMPARE(child<QLineEdit>(m_dialog.get(), "skinWidth")->text(), utext("640"));
        QCOMPARE(child<QLineEdit>(m_dialog.get(), "questionTitle")->text(), utext("Q >>"));
    }

    void aValueOutOfRangeKeepsTheSheetOpenOnItsField()
    {
        child<QTreeWidget>(m_dialog.get(), "pageTree")
            ->setCurrentItem(child<QTreeWidget>(m_dialog.get(), "pageTree")->topLevelItem(3));
        auto *count = child<QSpinBox>(m_dialog.get(), "defaultQuestions");
        count->setValue(201);
        click(m_dialog.get(), "ok");
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_prompter->texts(),
                 (std::vector<std::string> { sj("0 から 200 までの整数を入力してください。"),
                                             sj("更新できませんでした") }));
        QTRY_VERIFY(count->hasFocus()
                    || QApplication::focusWidget() == count->findChild<QLineEdit *>());
        QCOMPARE(m_dialog->findChild<QStackedWidget *>()->currentWidget()->objectName(),
                 QStringLiteral("page10"));

        count->setValue(42);
        click(m_dialog.get(), "ok");
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(m_settings.nDefaultQuestions, 42);
        QCOMPARE(m_store->readInt("Options", "nDefaultQuestions"), std::optional<std::int32_t>(42));
    }

    void checksEnableTheirControls()
    {
        auto *sequential = child<QRadioButton>(m_dialog.get(), "sequentialOrder");
        QVERIFY(!sequential->isEnabled());
        child<QCheckBox>(m_dialog.get(), "hideOrderDialog")->click();
        QVERIFY(sequential->isEnabled());
        auto *limit = child<QSpinBox>(m_dialog.get(), "replyLimitJE4");
        QVERIFY(limit->isEnabled());
        child<QCheckBox>(m_dialog.get(), "useReplyLimitJE4")->click();
        QVERIFY(!limit->isEnabled());
        auto *rate = child<QSlider>(m_dialog.get(), "voiceRate");
        QVERIFY(rate->isEnabled());
        child<QCheckBox>(m_dialog.get(), "useWavvoice")->click();
        QVERIFY(!rate->isEnabled());
    }

    void withoutSpeechTheVoiceSwitchIsDisabled()
    {
        m_dialog.reset();
        m_speech.available = false;
        COptionsDlg dialog(*m_context);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *tree = child<QTreeWidget>(&dialog, "pageTree");
        tree->setCurrentItem(tree->topLevelItem(1)->child(3));
        saveScreenshot(&dialog, "options_22_nospeech");
        QVERIFY(!child<QCheckBox>(&dialog, "useVoice")->isEnabled());
        QVERIFY(child<QCheckBox>(&dialog, "useWavvoice")->isEnabled());
        QVERIFY(!child<QPushButton>(&dialog, "voiceTest")->isEnabled());
    }

    void slidersAndTheTestReachTheEngineAtOnce()
    {
        child<QSlider>(m_dialog.get(), "voiceRate")->setValue(5);
        child<QSlider>(m_dialog.get(), "voiceVolume")->setValue(40);
        click(m_dialog.get(), "voiceTest");
        QCOMPARE(m_speech.calls,
                 (std::vector<std::string> { "rate 0.50", "volume 0.40", "say Kelvora" }));
        QCOMPARE(m_settings.VoiceRate, 5);
        click(m_dialog.get(), "cancel");
        QCOMPARE(m_settings.VoiceRate, 5);
        QVERIFY(m_store->changes().empty());
    }

    void theBackgroundPreviewIsUndoneByCancel()
    {
        m_chooser->colourAnswers = { Rgb { 10, 20, 30 } };
        click(m_dialog.get(), "chooseBackground");
        QCOMPARE(m_dialog->palette().color(QPalette::Window), QColor(10, 20, 30));
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QCOMPARE(m_previews, (std::vector<std::int32_t> { 0x1E140A, 16765088 }));
        QVERIFY(m_dialog->settingsChanged());
    }

    void aDarkBackgroundGetsLightLabels()
    {
        m_chooser->colourAnswers = { Rgb { 0, 0, 128 } }; // navy
        click(m_dialog.get(), "chooseBackground");
        auto *label = m_dialog->findChild<QLabel *>();
        QVERIFY(label);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(child<QCheckBox>(m_dialog.get(), "hideOrderDialog")
                     ->palette()
                     .color(QPalette::WindowText),
                 QColor(Qt::white));
        // Fields keep their own light base and dark text.
        QVERIFY(child<QSpinBox>(m_dialog.get(), "defaultQuestions")
                    ->palette()
                    .color(QPalette::Text)
                    .lightness()
                < 100);
        saveScreenshot(m_dialog.get(), "options_10_dark");
        auto *tree = child<QTreeWidget>(m_dialog.get(), "pageTree");
        tree->setCurrentItem(tree->topLevelItem(1)->child(0));
        saveScreenshot(m_dialog.get(), "options_23_dark");
        m_chooser->colourAnswers = { Rgb { 255, 255, 160 } }; // back to a light one
        click(m_dialog.get(), "chooseBackground");
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    }

    void webDictionaryButtonsEditTheRowsKeptOnOk()
    {
        auto *sites = child<QTreeWidget>(m_dialog.get(), "webdicList");
        child<QComboBox>(m_dialog.get(), "webType")->setCurrentIndex(1);
        commitText(child<QLineEdit>(m_dialog.get(), "webTitle"), utext("和英の辞書"));
        commitText(child<QLineEdit>(m_dialog.get(), "webHead"), "http://j/");
        click(m_dialog.get(), "webAdd");
        QCOMPARE(sites->topLevelItemCount(), 3);
        QCOMPARE(sites->topLevelItem(2)->text(1), utext("和英の辞書"));
        QCOMPARE(sites->currentItem(), sites->topLevelItem(2));
        click(m_dialog.get(), "webUp");
        QCOMPARE(sites->topLevelItem(1)->text(0), utext("和英辞書"));
        sites->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        sites->setCurrentItem(sites->topLevelItem(2));
        QCOMPARE(child<QLineEdit>(m_dialog.get(), "webTitle")->text(), utext("Find"));
        click(m_dialog.get(), "webRemove");
        click(m_dialog.get(), "ok");
        QCOMPARE(m_sites.size(), std::size_t(2));
        QVERIFY(!m_sites[0].enabled);
        QCOMPARE(m_sites[1].title, sj("和英の辞書"));
        QCOMPARE(getPrivateProfileString("WebDic", " 1_title", "", m_settings.WebdiciniPath),
                 sj("和英の辞書"));
    }

    void aTextCp932CannotHoldIsRefused()
    {
        commitText(child<QLineEdit>(m_dialog.get(), "logPath"), utext("/tmp/ログ한.txt"));
        click(m_dialog.get(), "apply");
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_prompter->asked.size(), std::size_t(2));
        QVERIFY(
            qtext(m_prompter->asked[0].text).startsWith(utext("「回答履歴ファイル」に使えない")));
    }

    void browseAndHelpButtons()
    {
        m_files.answers = { m_folder->file("skin/large.ini") };
        click(m_dialog.get(), "logBrowse");
        QCOMPARE(child<QLineEdit>(m_dialog.get(), "logPath")->text(),
                 qtext(m_folder->file("skin/large.ini")));
        QCOMPARE(m_files.requests.at(0).title, sj("回答履歴ファイルの設定"));
        m_prompter->push(Reply::No);
        click(m_dialog.get(), "databaseBrowse");
        QCOMPARE(m_files.requests.size(), std::size_t(1));
        click(m_dialog.get(), "help");
        click(m_dialog.get(), "openDownloadSite");
        QCOMPARE(m_help,
                 (QList<QUrl> { QUrl("qrc:/help/option.html"), QUrl("qrc:/help/top.html#voice") }));
    }

    void runOptionsSheetTellsWhetherSettingsChanged()
    {
        m_dialog.reset();
        for (const char *button : { "cancel", "apply" }) {
            QTimer::singleShot(0, [button] {
                auto *sheet = qobject_cast<COptionsDlg *>(QApplication::activeModalWidget());
                QVERIFY(sheet);
                click(sheet, button);
            });
            QCOMPARE(runOptionsSheet(nullptr, *m_context), button == std::string("apply"));
        }
        QVERIFY(m_store->changes().empty());
    }

private:
    std::unique_ptr<TempFolder> m_folder;
    CKvrSettings m_settings;
    std::vector<WebDictionary> m_sites;
    std::unique_ptr<CMemorySettingsStore> m_store;
    CRecordingSpeechEngine m_speech;
    CRecordingSoundPlayer m_sound;
    std::unique_ptr<CScriptedPrompter> m_prompter;
    std::unique_ptr<ScriptedOptionsChooser> m_chooser;
    kvr::test::ScriptedFileDialogs m_files;
    std::unique_ptr<CPronunciation> m_pronunciation;
    QList<QUrl> m_help;
    std::vector<std::int32_t> m_previews;
    std::unique_ptr<OptionsContext> m_context;
    std::unique_ptr<COptionsDlg> m_dialog;
};

QTEST_MAIN(OptionsDlgTest)
#include "optionsdlg_test.moc"
