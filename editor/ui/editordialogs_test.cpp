#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "editor/editorsettings.h"
#include "editor/ui/choicedlg.h"
#include "editor/ui/editoroptionsdlg.h"
#include "editor/ui/headerdlg.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

void show(QDialog &dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

HeaderForm sampleForm()
{
    HeaderForm form;
    form.name = sj("単語");
    form.copyrightHolder = sj("山田");
    form.inputter = sj("田中");
    form.startMessage = sj("がんばろう");
    form.notes = sj("一行目\r\n二行目");
    return form;
}

// Folder "英語" with collection "単語" and folder "文法"; collection "数学" at the top.
CQuestionDatabase sampleDatabase()
{
    CQuestionDatabase database;
    CFolder &english = database.root.addFolder();
    english.name = sj("英語");
    english.addSection().name = sj("単語");
    english.addFolder().name = sj("文法");
    database.root.addSection().name = sj("数学");
    return database;
}

QTreeWidgetItem *itemNamed(QTreeWidget *tree, const char *utf8)
{
    const QList<QTreeWidgetItem *> found =
        tree->findItems(utext(utf8), Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

} // namespace

class EditorDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void headerDialogShowsEachUse_data()
    {
        QTest::addColumn<int>("use");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("nameLabel");
        QTest::addColumn<bool>("nameEditable");
        QTest::addColumn<bool>("headerEditable");
        QTest::addColumn<bool>("placeShown");
        using U = HeaderDialogUse;
        QTest::newRow("new collection") << int(U::NewCollection) << utext("問題集の新規作成")
                                        << utext("問題集名") << true << true << true;
        QTest::newRow("new folder") << int(U::NewFolder) << utext("フォルダの新規作成")
                                    << utext("フォルダ名") << true << true << true;
        QTest::newRow("details") << int(U::Details) << utext("問題集の詳細情報") << utext("名称")
                                 << false << true << false;
        QTest::newRow("rename collection") << int(U::RenameCollection) << utext("問題集の名称変更")
                                           << utext("問題集名") << true << false << false;
        QTest::newRow("rename folder") << int(U::RenameFolder) << utext("フォルダの名称変更")
                                       << utext("フォルダ名") << true << false << false;
    }

    void headerDialogShowsEachUse()
    {
        QFETCH(int, use);
        QFETCH(QString, caption);
        QFETCH(QString, nameLabel);
        QFETCH(bool, nameEditable);
        QFETCH(bool, headerEditable);
        QFETCH(bool, placeShown);
        CHeaderDlg dialog(headerDialogView(HeaderDialogUse(use), sampleForm(), true));
        show(dialog);
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(child<QLabel>(&dialog, "nameLabel")->text(), nameLabel);
        QCOMPARE(child<QLineEdit>(&dialog, "name")->isReadOnly(), !nameEditable);
        QCOMPARE(child<QLineEdit>(&dialog, "copyrightHolder")->isReadOnly(), !headerEditable);
        QCOMPARE(child<QPlainTextEdit>(&dialog, "notes")->isReadOnly(), !headerEditable);
        QCOMPARE(child<QGroupBox>(&dialog, "place")->isVisible(), placeShown);
        QCOMPARE(child<QLineEdit>(&dialog, "inputter")->text(), utext("田中"));
        QCOMPARE(child<QPlainTextEdit>(&dialog, "notes")->toPlainText(), utext("一行目\n二行目"));
        QCOMPARE(child<QPushButton>(&dialog, "cancel")->text(), utext("ｷｬﾝｾﾙ"));
        if (HeaderDialogUse(use) == HeaderDialogUse::NewCollection)
            saveScreenshot(&dialog, "editor_headerdlg_create");
        // Nothing typed: the form goes back as it came.
        QCOMPARE(dialog.form(), sampleForm());
    }

    void headerDialogGivesBackWhatWasTyped()
    {
        HeaderForm form;
        form.copyrightHolder = sj("山田");
        CHeaderDlg dialog(headerDialogView(HeaderDialogUse::NewFolder, form, true));
        show(dialog);
        QVERIFY(child<QRadioButton>(&dialog, "placeRoot")->isChecked());
        QVERIFY(child<QRadioButton>(&dialog, "placeUnder")->isEnabled());
        commitText(child<QLineEdit>(&dialog, "name"), utext("自作"));
        child<QRadioButton>(&dialog, "placeUnder")->click();
        child<QPlainTextEdit>(&dialog, "notes")->setPlainText(utext("a\nb"));
        const HeaderForm entered = dialog.form();
        QCOMPARE(entered.name, sj("自作"));
        QVERIFY(entered.underSelectedFolder);
        QCOMPARE(entered.notes, std::string("a\r\nb"));
        QVERIFY(!entered.unmappable);

        child<QLineEdit>(&dialog, "startMessage")->setText(QString::fromUtf8("caf\u00e9"));
        QVERIFY(dialog.form().unmappable);
        QCOMPARE(dialog.form().startMessage, std::string());
    }

    void headerDialogPlaceUnderOnlyForAFolder()
    {
        HeaderForm form;
        form.underSelectedFolder = true;
        CHeaderDlg dialog(headerDialogView(HeaderDialogUse::NewCollection, form, false));
        show(dialog);
        QVERIFY(!child<QRadioButton>(&dialog, "placeUnder")->isEnabled());
        QVERIFY(child<QRadioButton>(&dialog, "placeRoot")->isChecked());
        QVERIFY(!dialog.form().underSelectedFolder);
    }

    void choiceDialogEnablesOkForAcceptedKindsOnly()
    {
        const CQuestionDatabase database = sampleDatabase();
        CChoiceDlg dialog(destinationChoice(database.root, sj("数学"), EntryKind::Section));
        show(dialog);
        auto *tree = child<QTreeWidget>(&dialog, "tree");
        tree->expandAll();
        saveScreenshot(&dialog, "editor_choicedlg");
        QCOMPARE(dialog.windowTitle(), utext("フォルダを選択してください。"));
        auto *root = child<QCheckBox>(&dialog, "root");
        auto *ok = child<QPushButton>(&dialog, "ok");
        QCOMPARE(root->text(), utext("ルートに作成する"));
        QVERIFY(root->isVisible());
        QVERIFY(!ok->isEnabled());

        tree->setCurrentItem(itemNamed(tree, "単語"));
        QVERIFY(!ok->isEnabled());
        tree->setCurrentItem(itemNamed(tree, "文法"));
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.answer()->path, sj("英語/文法"));
        QCOMPARE(dialog.answer()->kind, EntryKind::Folder);

        root->click();
        QVERIFY(!tree->isEnabled());
        QVERIFY(ok->isEnabled());
        QVERIFY(dialog.answer()->root);
        ok->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void choiceDialogForACollectionHidesTheRootBox()
    {
        const CQuestionDatabase database = sampleDatabase();
        CChoiceDlg dialog(collectionChoice(database.root));
        show(dialog);
        QCOMPARE(dialog.windowTitle(), utext("問題集を選択してください。"));
        QVERIFY(!child<QCheckBox>(&dialog, "root")->isVisible());
        auto *tree = child<QTreeWidget>(&dialog, "tree");
        tree->setCurrentItem(itemNamed(tree, "英語"));
        QVERIFY(!child<QPushButton>(&dialog, "ok")->isEnabled());
        tree->setCurrentItem(itemNamed(tree, "単語"));
        QVERIFY(child<QPushButton>(&dialog, "ok")->isEnabled());
        QCOMPARE(dialog.answer()->path, sj("英語/単語"));
    }

    void optionsDialogBrowsesThroughTheCoreAndGivesTheFields()
    {
        CEditorSettings settings;
        settings.DefaultUser = sj("山田");
        settings.DatabaseFilename = "/data/DBv3.kvr";
        CScriptedPrompter prompter;
        kvr::test::ScriptedFileDialogs fileDialogs;
        fileDialogs.answers = { std::string("/nowhere/other.kvr") };
        const std::vector<FileRequest> &requests = fileDialogs.requests;
        CEditorOptionsDlg dialog(editorOptionsView(settings), prompter, fileDialogs);
        show(dialog);
        saveScreenshot(&dialog, "editor_optionsdlg");
        QCOMPARE(dialog.windowTitle(), utext("オプション設定"));
        QVERIFY(!child<QPushButton>(&dialog, "defaults")->isEnabled());
        QVERIFY(child<QLineEdit>(&dialog, "databasePath")->isReadOnly());

        prompter.push(Reply::No);
        child<QPushButton>(&dialog, "browse")->click();
        QCOMPARE(prompter.asked.back().caption, std::string("CAUTION!"));
        QVERIFY(requests.empty());

        child<QPushButton>(&dialog, "browse")->click();
        QCOMPARE(requests.size(), std::size_t(1));
        QCOMPARE(requests[0].filters.front().label, std::string("Kvr DatabaseFile (*.kvr)"));
        QCOMPARE(prompter.texts().back(), sj("ない！"));
        QCOMPARE(child<QLineEdit>(&dialog, "databasePath")->text(), QString("/nowhere/other.kvr"));

        auto *user = child<QLineEdit>(&dialog, "defaultUser");
        user->clear();
        commitText(user, utext("佐藤"));
        const EditorOptionsForm form = dialog.form();
        QCOMPARE(form.defaultUser, sj("佐藤"));
        QCOMPARE(form.databasePath, std::string("/nowhere/other.kvr"));
        QVERIFY(!form.unmappable);
    }
};

QTEST_MAIN(EditorDialogsTest)
#include "editordialogs_test.moc"
