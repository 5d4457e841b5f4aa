#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "app/ui/shortcutdlg.h"
#include "db/questiondatabase.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

// A database with the collection 英語/Unit "1" of count questions.
CQuestionDatabase databaseWith(int count)
{
    CQuestionDatabase database;
    CFolder &folder = database.root.addFolder();
    folder.name = cp932::text("英語");
    CSection &section = folder.addSection();
    section.name = "Unit \"1\"";
    for (int i = 0; i < count; ++i)
        section.lines.push_back("?q" + std::to_string(i));
    return database;
}

const std::string kPath = cp932::text("英語/Unit \"1\"");

// Answers the shortcut dialog that the next call opens.
void answerShortcutDialog(bool create, bool speedReply)
{
    QTimer::singleShot(0, [create, speedReply] {
        auto *dialog = qobject_cast<CShortcutDlg *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        child<QSlider>(dialog, "countSlider")->setValue(7);
        if (speedReply)
            child<QCheckBox>(dialog, "speedReply")->click();
        QTest::mouseClick(child<QPushButton>(dialog, create ? "create" : "cancel"), Qt::LeftButton);
    });
}

} // namespace

class ShortcutDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void theSliderAndItsNumber()
    {
        CShortcutDlg dialog(kPath, 150);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        saveScreenshot(&dialog, "shortcutdlg");
        auto *slider = child<QSlider>(&dialog, "countSlider");
        QCOMPARE(dialog.windowTitle(), utext("ショートカットオプション"));
        QCOMPARE(slider->maximum(), 100);
        QCOMPARE(slider->value(), 20);
        QCOMPARE(child<QLineEdit>(&dialog, "count")->text(), QStringLiteral("20"));
        QCOMPARE(child<QLabel>(&dialog, "countLabel")->text(), utext("１回あたりの問題数 (1-150)"));
        QCOMPARE(child<QLineEdit>(&dialog, "collectionPath")->text(), qtext(kPath));
        slider->setValue(64);
        QCOMPARE(child<QLineEdit>(&dialog, "count")->text(), QStringLiteral("64"));
        child<QCheckBox>(&dialog, "worstFirst")->click();
        QCOMPARE(dialog.choice().count, 64);
        QVERIFY(dialog.choice().worstFirst && !dialog.choice().speedReply);
    }

    void createWritesTheFileAndSaysWhere()
    {
        TempFolder desktop;
        QStringList trusted;
        const ShortcutEnvironment environment { desktop.path(), "/opt/kvr/Kvr",
                                                [&trusted](const std::string &file) {
                                                    trusted << QString::fromStdString(file);
                                                } };
        CScriptedPrompter prompter;
        answerShortcutDialog(true, true);
        makeShortcut(nullptr, databaseWith(12), kPath, prompter, environment);

        const std::string file = desktop.file(cp932::text("Kvr (英語／Unit \"1\").desktop"));
        QVERIFY(fileExists(file));
        QVERIFY(readFile(nativePath(file)).find("/Autorun=7 /SpeedReply /s") != std::string::npos);
        QCOMPARE(trusted, QStringList { QString::fromStdString(file) });
        QCOMPARE(prompter.texts(),
                 std::vector<std::string> { shortcutCreatedMessage(kPath, file) });
    }

    void nothingForAMissingCollectionOrACancel()
    {
        TempFolder desktop;
        CScriptedPrompter prompter;
        const ShortcutEnvironment environment { desktop.path(), "/opt/kvr/Kvr", {} };
        makeShortcut(nullptr, databaseWith(3), "no/such", prompter, environment);
        answerShortcutDialog(false, false);
        makeShortcut(nullptr, databaseWith(3), kPath, prompter, environment);
        QVERIFY(prompter.asked.empty());
    }

    void aMissingDesktopIsMadeAndAFailureNamesIt()
    {
        TempFolder home;
        CScriptedPrompter prompter;
        answerShortcutDialog(true, false);
        makeShortcut(nullptr, databaseWith(3), kPath, prompter,
                     { home.file("Desktop"), "/opt/kvr/Kvr", {} });
        QCOMPARE(prompter.texts().size(), std::size_t(1));
        QVERIFY(prompter.texts()[0].find(home.file("Desktop")) != std::string::npos);
        QVERIFY(isDirectory(home.file("Desktop")));

        home.put("file", "x"); // a desktop below a plain file cannot be made
        prompter.asked.clear();
        answerShortcutDialog(true, false);
        makeShortcut(nullptr, databaseWith(3), kPath, prompter,
                     { home.file("file/Desktop"), "/opt/kvr/Kvr", {} });
        QCOMPARE(prompter.texts(),
                 std::vector<std::string> { cp932::text("ショートカットの作成に失敗しました。\n\n"
                                                        "(デスクトップのフォルダ：")
                                            + home.file("file/Desktop") + ")" });
    }
};

QTEST_MAIN(ShortcutDlgTest)
#include "shortcutdlg_test.moc"
