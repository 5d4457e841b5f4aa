#include <memory>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "editor/editorsession.h"
#include "editor/testsupport_editor.h"
#include "editor/ui/editordlg.h"
#include "editor/ui/editorwindowactions.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/testsupport_shell.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

class RecordingActions final : public IEditorWindowActions
{
public:
    void showHelp(QWidget *) override { ++help; }
    void openHomePage() override { ++homePage; }
    void showAbout(QWidget *) override { ++about; }
    int help = 0, homePage = 0, about = 0;
};

// The tree as the editor sorts it: "<< 自作問題集 >>", "はじめに", "英単語" holding "熟語" and
// "中学１年 基本動詞" (chain 2/1).
void fillDatabase(CFolder &root)
{
    CFolder &words = root.addFolder();
    words.name = sj("英単語");
    CSection &verbs = words.addSection();
    verbs.name = sj("中学１年 基本動詞");
    verbs.lines = { sj("?go,goes,,,,%ve行く,I go to school.,,"),
                    sj("?come,,,,,%ve来る,Come here.,,"),
                    sj("?eat,,,,,%ve食べる\\n（食事を）とる,,eat.wav,"),
                    sj("?see,look,watch,,,%ve見る,,,"), "take" };
    CSection &idioms = words.addSection();
    idioms.name = sj("熟語");
    idioms.lines = { sj("?look for,,,,,%id～を探す,,,") };
    CFolder &own = root.addFolder();
    own.name = sj("<< 自作問題集 >>");
    own.addSection().name = sj("私の単語帳");
    root.addSection().name = sj("はじめに");
}

// The window over a session of its own (with two dictionaries), shown and active.
struct Rig
{
    explicit Rig(const char *lastSection = "英単語/中学１年 基本動詞")
    {
        fillDatabase(files.database.root);
        files.save();
        files.settings.LastSection = sj(lastSection);
        files.dictionaries = { { 0, true, sj("英和辞典"), "http://127.0.0.1:9/ej?q=", "" },
                               { 1, true, sj("和英辞典"), "http://127.0.0.1:9/je?q=", "" } };
        session = std::make_unique<CEditorSession>(EditorServices {
            files.settings, files.store, files.database, files.dictionaries, files.prompter,
            files.clipboard, files.fileDialogs, files.dialogs, uniqueMarkerName() });
        session->start();
        window = std::make_unique<CEditorDlg>(
            EditorWindowContext { *session, files.prompter, shell, actions, false });
        window->show();
        shown = QTest::qWaitForWindowExposed(window.get());
        window->activateWindow();
        shown = shown && QTest::qWaitForWindowActive(window.get());
    }

    template <typename T> T *get(const char *name) { return child<T>(window.get(), name); }
    QTableView *grid() { return get<QTableView>("grid"); }
    QString cell(int row, int column)
    {
        return grid()->model()->index(row, column).data().toString();
    }
    int rows() { return grid()->model()->rowCount(); }
    int currentRow() { return grid()->currentIndex().row(); }

    void focus(QWidget *widget)
    {
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
    }

    SessionFiles files { "" };
    RecordingShell shell;
    RecordingActions actions;
    std::unique_ptr<CEditorSession> session;
    std::unique_ptr<CEditorDlg> window;
    bool shown = false;
};

} // namespace

class EditorDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void showsTheSelectedCollection()
    {
        Rig rig;
        QVERIFY(rig.shown);
        QCOMPARE(rig.window->windowTitle(), utext("中学１年 基本動詞 - KvrEditor "));
        QCOMPARE(rig.window->size(), QSize(600, 500));
        QCOMPARE(rig.get<QLineEdit>("selectedName")->text(), utext("中学１年 基本動詞"));
        QCOMPARE(rig.get<QLabel>("selectedCaption")->text(), utext("現在選択中の問題集"));
        auto *tree = rig.get<QTreeWidget>("databaseTree");
        QCOMPARE(tree->topLevelItem(0)->text(0), utext("<< 自作問題集 >>"));
        QCOMPARE(tree->currentItem()->text(0), utext("中学１年 基本動詞"));
        QCOMPARE(rig.rows(), 6);
        QCOMPARE(rig.cell(2, 5), utext("%ve食べる"));
        QCOMPARE(rig.cell(2, 6), utext("（食事を）とる"));
        QCOMPARE(rig.cell(4, 0), QStringLiteral("take"));
        QCOMPARE(rig.grid()->columnWidth(5), 120);
        QCOMPARE(rig.currentRow(), 0);
        QCOMPARE(rig.get<QLineEdit>("answerField")->text(), QStringLiteral("go"));
        QCOMPARE(rig.get<QPlainTextEdit>("questionField")->toPlainText(), utext("行く"));
        QCOMPARE(rig.get<QPlainTextEdit>("hintField")->toPlainText(),
                 QStringLiteral("I go to school."));
        QVERIFY(rig.get<QRadioButton>("part1")->isChecked()); // 動詞
        QVERIFY(!rig.get<QRadioButton>("part0")->isChecked());
        for (const char *name : { "grid", "answerField", "questionField", "hintField", "part0",
                                  "upperLookup", "lowerDictionaries", "wavButton", "nextButton" })
            QVERIFY2(rig.get<QWidget>(name)->isEnabled(), name);
        QCOMPARE(rig.get<QComboBox>("upperDictionaries")->currentText(), utext("英和辞典"));
        QCOMPARE(rig.get<QComboBox>("lowerDictionaries")->currentText(), utext("和英辞典"));
        QCOMPARE(rig.get<QPushButton>("wavButton")->toolTip(),
                 utext("音声再生用のWAVファイルを指定します\n"
                       "（自分で用意した音声ファイルを再生したい場合に設定してください）"));
        saveScreenshot(rig.window.get(), "editor_editordlg_collection");

        // Moving to another row shows it, with answer number 1.
        rig.grid()->setCurrentIndex(rig.grid()->model()->index(3, 0));
        QCOMPARE(rig.get<QLineEdit>("answerField")->text(), QStringLiteral("see"));
        rig.focus(rig.get<QLineEdit>("answerField"));
        QTest::keyClick(rig.get<QLineEdit>("answerField"), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(rig.get<QLineEdit>("answerField")->text(), QStringLiteral("look"));
        auto *number = rig.get<QSpinBox>("answerNumber");
        QCOMPARE(number->value(), 2);
        number->setValue(3); // the spinner moves the answer number like the keys
        QCOMPARE(rig.get<QLineEdit>("answerField")->text(), QStringLiteral("watch"));

        rig.window->resize(1200, 900);
        QTRY_COMPARE(rig.window->size(), QSize(1200, 900));
        QCOMPARE(rig.files.settings.WindowSizeX, 1200);
        saveScreenshot(rig.window.get(), "editor_editordlg_collection_large");

        // Dragging the divider past 600 pixels stops at 600.
        const int y = rig.get<QWidget>("menuBar")->height() + 100;
        QTest::mousePress(rig.window.get(), Qt::LeftButton, {}, QPoint(200, y));
        QTest::mouseRelease(rig.window.get(), Qt::LeftButton, {}, QPoint(900, y));
        QCOMPARE(rig.files.settings.Pediod, 600);
        QVERIFY(rig.get<QWidget>("leftPane")->geometry().right() < 600);
        QVERIFY(rig.get<QWidget>("rightPane")->geometry().left() > 600);
    }

    void aFolderDisablesTheCollectionControlsAndACancelledChangeStays()
    {
        Rig rig;
        QVERIFY(rig.shown);
        auto *tree = rig.get<QTreeWidget>("databaseTree");
        QTreeWidgetItem *words = tree->topLevelItem(2);
        tree->setCurrentItem(words);
        QCOMPARE(rig.get<QLabel>("selectedCaption")->text(), utext("現在選択中のフォルダ"));
        QCOMPARE(rig.get<QLineEdit>("selectedName")->text(), utext("英単語"));
        QCOMPARE(rig.rows(), 0);
        QVERIFY(rig.get<QPushButton>("detailsButton")->isEnabled());
        for (const char *name :
             { "grid", "answerField", "questionField", "part3", "upperLookup", "wavButton" })
            QVERIFY2(!rig.get<QWidget>(name)->isEnabled(), name);
        QVERIFY(rig.get<QLineEdit>("answerField")->text().isEmpty());
        saveScreenshot(rig.window.get(), "editor_editordlg_folder");

        // An edited collection asks before it is left; Cancel keeps it selected.
        tree->setCurrentItem(words->child(1));
        commitText(rig.get<QLineEdit>("answerField"), utext("行け"));
        QVERIFY(rig.window->windowTitle().contains(utext("（更新）")));
        rig.files.prompter.replies = { Reply::Cancel };
        tree->setCurrentItem(tree->topLevelItem(1));
        QCOMPARE(tree->currentItem(), words->child(1));
        QCOMPARE(rig.get<QLineEdit>("selectedName")->text(), utext("中学１年 基本動詞"));
        QCOMPARE(rig.files.prompter.asked.back().caption, sj("保存の確認"));
    }

    void typedTextReachesTheGridRow()
    {
        Rig rig;
        QVERIFY(rig.shown);
        rig.grid()->setCurrentIndex(rig.grid()->model()->index(1, 0));
        auto *question = rig.get<QPlainTextEdit>("questionField");
        rig.focus(question);
        question->moveCursor(QTextCursor::End);
        commitText(question, utext("よ"));
        QCOMPARE(rig.cell(1, 5), utext("%ve来るよ"));
        QCOMPARE(rig.window->windowTitle(), utext("中学１年 基本動詞 - （更新）KvrEditor "));

        // Shift+Enter makes a line break: the rest becomes question line 2.
        QTest::keyClick(question, Qt::Key_Return, Qt::ShiftModifier);
        commitText(question, utext("ね"));
        QCOMPARE(rig.cell(1, 6), utext("ね"));
        QCOMPARE(question->toPlainText(), utext("来るよ\nね"));
        QCOMPARE(rig.currentRow(), 1);

        // Typing into the empty last row makes a question and a new empty row.
        rig.grid()->setCurrentIndex(rig.grid()->model()->index(5, 0));
        commitText(rig.get<QLineEdit>("answerField"), QStringLiteral("run"));
        QCOMPARE(rig.rows(), 7);
        QCOMPARE(rig.cell(5, 0), QStringLiteral("run"));

        // A part-of-speech button rewrites the row's tag.
        rig.get<QRadioButton>("part0")->click();
        QCOMPARE(rig.cell(5, 5), QStringLiteral("%no"));
        QVERIFY(rig.get<QRadioButton>("part0")->isChecked());
    }

    // A character CP932 cannot hold is refused by the core, and the field shows the row again.
    void textTheDataCannotHoldIsRefused()
    {
        Rig rig;
        QVERIFY(rig.shown);
        auto *answer = rig.get<QLineEdit>("answerField");
        commitText(answer, QString::fromUtf8("\xF0\x9F\x98\x80"));
        QCOMPARE(rig.files.prompter.asked.size(), std::size_t(1));
        QCOMPARE(answer->text(), QStringLiteral("go"));
        QCOMPARE(rig.cell(0, 0), QStringLiteral("go"));
        QVERIFY(!rig.window->windowTitle().contains(utext("（更新）")));
    }

    void keysGoToTheCoreFirst()
    {
        Rig rig;
        QVERIFY(rig.shown);
        rig.focus(rig.grid());
        QTest::keyClick(rig.grid(), Qt::Key_F3);
        QCOMPARE(rig.rows(), 7);
        QVERIFY(rig.cell(0, 0).isEmpty());
        QCOMPARE(rig.cell(1, 0), QStringLiteral("go"));

        auto *answer = rig.get<QLineEdit>("answerField");
        rig.focus(answer);
        QTest::keyClick(answer, Qt::Key_Return);
        QCOMPARE(rig.currentRow(), 1);
        QCOMPARE(answer->text(), QStringLiteral("go"));
        QTest::keyClick(answer, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(rig.currentRow(), 0);
        // Shift+F2 marks 動詞 on the current row.
        rig.grid()->setCurrentIndex(rig.grid()->model()->index(5, 0));
        QTest::keyClick(answer, Qt::Key_F2, Qt::ShiftModifier);
        QCOMPARE(rig.cell(5, 5), QStringLiteral("%ve"));

        // Shift held shows the part-of-speech keys in the key help.
        QTest::keyPress(answer, Qt::Key_Shift, Qt::ShiftModifier);
        saveScreenshot(rig.window.get(), "editor_editordlg_shiftkeys");
        QTest::keyRelease(answer, Qt::Key_Shift);

        QTest::keyClick(answer, Qt::Key_Escape);
        QTest::keyClick(rig.window.get(), Qt::Key_Escape);
        QVERIFY(rig.window->isVisible());

        // The input method follows the field: off for the answer, on for the question.
        QCOMPARE(answer->inputMethodQuery(Qt::ImEnabled).toBool(), false);
        auto *question = rig.get<QPlainTextEdit>("questionField");
        rig.focus(question);
        QVERIFY(question->inputMethodQuery(Qt::ImEnabled).toBool());
    }

    void menusAndButtonsRunTheCoreCommands()
    {
        Rig rig;
        QVERIFY(rig.shown);
        QCOMPARE(rig.window->menuAction(EditorCommand::Save)->text(),
                 utext("上書き保存(&S)\tCtrl+S"));
        rig.window->menuAction(EditorCommand::InsertRow)->trigger();
        QCOMPARE(rig.rows(), 7);
        rig.window->menuAction(EditorCommand::Help)->trigger();
        rig.window->menuAction(EditorCommand::HomePage)->trigger();
        rig.window->menuAction(EditorCommand::About)->trigger();
        QCOMPARE(rig.actions.help, 1);
        QCOMPARE(rig.actions.homePage, 1);
        QCOMPARE(rig.actions.about, 1);
        for (const char *popup : { "SectionPopup", "DatalistPopup" })
            QVERIFY2(!child<QMenu>(rig.window.get(), popup)->actions().isEmpty(), popup);
        // The right button over the tree opens its popup and leaves the selection.
        auto *tree = rig.get<QTreeWidget>("databaseTree");
        QTreeWidgetItem *selected = tree->currentItem();
        QTest::mouseClick(tree->viewport(), Qt::RightButton, {},
                          tree->visualItemRect(tree->topLevelItem(1)).center());
        auto *sectionPopup = child<QMenu>(rig.window.get(), "SectionPopup");
        QTRY_VERIFY(sectionPopup->isVisible());
        sectionPopup->close();
        QCOMPARE(tree->currentItem(), selected);
        QCOMPARE(child<QMenu>(rig.window.get(), "helpMenu")->actions().last()->text(),
                 utext("KvrEditor のﾊﾞｰｼﾞｮﾝ情報(&A)..."));

        click(rig.window.get(), "nextButton");
        QCOMPARE(rig.currentRow(), 1);

        // The look-up shows the "Web辞書" tab; without an embedded browser it offers one.
        rig.get<QLineEdit>("answerField")->setText(QStringLiteral("go"));
        click(rig.window.get(), "upperLookup");
        QCOMPARE(rig.get<QTabBar>("tabs")->currentIndex(), 1);
        QVERIFY(!rig.get<QTreeWidget>("databaseTree")->isVisible());
        QVERIFY(rig.get<QLabel>("webNote")->text().contains(
            QStringLiteral("http://127.0.0.1:9/ej?q=go")));
        saveScreenshot(rig.window.get(), "editor_editordlg_web");
        click(rig.window.get(), "openInBrowser");
        QCOMPARE(rig.shell.addresses.back(), std::string("http://127.0.0.1:9/ej?q=go"));
        rig.get<QTabBar>("tabs")->setCurrentIndex(0);
        QVERIFY(rig.get<QTreeWidget>("databaseTree")->isVisible());
    }

    void theCloseBoxAsksTheCore()
    {
        Rig rig;
        QVERIFY(rig.shown);
        commitText(rig.get<QLineEdit>("answerField"), QStringLiteral("x"));
        rig.files.prompter.replies = { Reply::Cancel };
        QVERIFY(!rig.window->close());
        QVERIFY(rig.window->isVisible());
        rig.files.prompter.replies = { Reply::No };
        QVERIFY(rig.window->close());
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(rig.window->result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(EditorDlgTest)
#include "editordlg_test.moc"
