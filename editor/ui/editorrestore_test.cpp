// The editor's "バックアップから戻す(&B)...": the file menu's item opens the study program's
// backup list and the chosen backup reaches the window.
#include <memory>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/backuprestore.h"
#include "app/ui/backuprestoredlg.h"
#include "db/questiondatabase.h"
#include "editor/editorsession.h"
#include "editor/testsupport_editor.h"
#include "editor/ui/editordlg.h"
#include "editor/ui/editorwindowactions.h"
#include "platform/cp932.h"
#include "platform/dailybackup.h"
#include "platform/environment.h"
#include "platform/testsupport_shell.h"
#include "platform/textfile.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

class NoActions final : public IEditorWindowActions
{
public:
    void showHelp(QWidget *) override { }
    void openHomePage() override { }
    void showAbout(QWidget *) override { }
};

} // namespace

class EditorRestoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void theFileMenuRestoresABackupIntoTheWindow();
};

void EditorRestoreTest::theFileMenuRestoresABackupIntoTheWindow()
{
    SessionFiles files("A,B", "A");
    // A backup of the database from the day before, holding "Old" besides "A".
    CQuestionDatabase old;
    old.root.addSection().name = "A";
    old.root.addSection().name = "Old";
    QVERIFY(env::makeFolders(backupFolderOf(files.context.databasePath)));
    QVERIFY(replaceFileAtomically(backupPathOf(files.context.databasePath, "20261209"),
                                  formatDatabase(old)));
    CQtBackupChooser backups; // as the editor's start binds it
    CEditorSession session(EditorServices { files.settings, files.store, files.database,
                                            files.dictionaries, files.prompter, files.clipboard,
                                            files.fileDialogs, files.dialogs, files.markerName,
                                            CSystemClock::instance(), &backups });
    session.start();
    RecordingShell shell;
    NoActions actions;
    CEditorDlg window(EditorWindowContext { session, files.prompter, shell, actions, false });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QAction *item = window.menuAction(EditorCommand::RestoreBackup);
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("バックアップから戻す(&B)..."));
    auto *fileMenu = child<QMenu>(&window, "fileMenu");
    QVERIFY(fileMenu->actions().contains(item));
    fileMenu->popup(window.mapToGlobal(QPoint(0, 0)));
    QTRY_VERIFY(fileMenu->isVisible());
    saveScreenshot(fileMenu, QStringLiteral("editor_filemenu_restore"));
    fileMenu->close();

    bool listed = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CBackupRestoreDlg *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto *rows = child<QTreeWidget>(dialog, "rows");
        listed = rows->topLevelItemCount() == 1;
        rows->setCurrentItem(rows->topLevelItem(0));
        saveScreenshot(dialog, QStringLiteral("editor_backuprestoredlg"));
        QTest::mouseClick(child<QPushButton>(dialog, "restore"), Qt::LeftButton);
    });
    item->trigger(); // the question after the list: its natural default, Yes
    QVERIFY(listed);
    QCOMPARE(files.prompter.asked.size(), std::size_t(1));
    auto *tree = child<QTreeWidget>(&window, "databaseTree");
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("Old"));
    QCOMPARE(listBackups(files.context.databasePath).size(), std::size_t(2));
    saveScreenshot(&window, QStringLiteral("editor_editordlg_after_restore"));
}

QTEST_MAIN(EditorRestoreTest)
#include "editorrestore_test.moc"
