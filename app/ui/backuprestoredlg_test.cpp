// "バックアップから戻す(&B)...": the dialog shows the core's rows, and the main window's menu
// item runs the restore and reloads.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/backuprestore.h"
#include "app/ui/backuprestoredlg.h"
#include "app/ui/maindlg.h"
#include "app/ui/testsupport_main.h"
#include "db/questiondatabase.h"
#include "platform/cp932.h"
#include "platform/dailybackup.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using kvr::test::child;

namespace {

BackupListView sampleView()
{
    BackupListView view;
    const auto row = [](BackupKind kind, const char *kindText, const char *date, const char *size,
                        const char *content) {
        return BackupRow {
            kind, "/x", cp932::text(kindText), date, cp932::text(size), cp932::text(content)
        };
    };
    view.rows = {
        row(BackupKind::Database, "データベース", "2026/12/10 15:30:00", "1,234,567 バイト",
            "問題 12345"),
        row(BackupKind::Database, "データベース", "2026/12/09", "1,200,000 バイト", "問題 12000"),
        row(BackupKind::Log, "学習履歴", "2026/12/10", "45,678 バイト", "学習者 3"),
        row(BackupKind::Log, "学習履歴", "2026/12/01", "12 バイト", "読み込めません"),
    };
    view.emptyText = cp932::text("バックアップはまだありません。");
    return view;
}

// Picks the row in the dialog the next call opens and presses "戻す(&R)".
void chooseRowInNextDialog(int row)
{
    QTimer::singleShot(0, [row] {
        auto *dialog = qobject_cast<CBackupRestoreDlg *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto *rows = child<QTreeWidget>(dialog, "rows");
        rows->setCurrentItem(rows->topLevelItem(row));
        QTest::mouseClick(child<QPushButton>(dialog, "restore"), Qt::LeftButton);
    });
}

} // namespace

class BackupRestoreDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }

    void showsTheRowsAndChoosesOne()
    {
        const BackupListView view = sampleView();
        CBackupRestoreDlg dialog(view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *rows = child<QTreeWidget>(&dialog, "rows");
        QCOMPARE(rows->topLevelItemCount(), 4);
        QCOMPARE(rows->topLevelItem(2)->text(0), utext("学習履歴"));
        QCOMPARE(rows->topLevelItem(0)->text(1), QStringLiteral("2026/12/10 15:30:00"));
        QCOMPARE(rows->topLevelItem(0)->text(2), utext("1,234,567 バイト"));
        QCOMPARE(rows->topLevelItem(3)->text(3), utext("読み込めません"));
        QVERIFY(!child<QLabel>(&dialog, "emptyText")->isVisible());
        auto *restore = child<QPushButton>(&dialog, "restore");
        QVERIFY(!restore->isEnabled());
        rows->setCurrentItem(rows->topLevelItem(2));
        QVERIFY(restore->isEnabled());
        QCOMPARE(dialog.chosenRow(), std::optional<std::size_t>(2));
        kvr::test::saveScreenshot(&dialog, "backuprestoredlg");
    }

    void anEmptyListSaysSo()
    {
        BackupListView view = sampleView();
        view.rows.clear();
        CBackupRestoreDlg dialog(view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(child<QLabel>(&dialog, "emptyText")->isVisible());
        QCOMPARE(child<QLabel>(&dialog, "emptyText")->text(),
                 utext("バックアップはまだありません。"));
        QVERIFY(!child<QPushButton>(&dialog, "restore")->isEnabled());
        kvr::test::saveScreenshot(&dialog, "backuprestoredlg-empty");
    }

    void theFileMenuRestoresAndReloads()
    {
        TempFolder folder;
        kvr::test::MainWindowRig rig;
        rig.settings.DatabaseFilename = folder.file("Datas/DBv3.kvr");
        rig.settings.LogPath = folder.file("Datas/translog.txt");
        CQuestionDatabase restored;
        restored.root.addSection().name = "Restored";
        folder.put("Datas/DBv3.kvr", formatDatabase(restored));
        QVERIFY(writeBackup(rig.settings.DatabaseFilename, "20261209"));
        QVERIFY(writeDatabase(rig.database, rig.settings.DatabaseFilename));
        QVERIFY(rig.log.saveAnswerLog(rig.settings.LogPath));

        auto window = rig.makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto *action = window->findChild<QAction *>(QStringLiteral("actionRestoreBackup"));
        QVERIFY(action);
        QCOMPARE(action->text(), utext("バックアップから戻す(&B)..."));
        chooseRowInNextDialog(0);
        action->trigger(); // the prompter's Yes/No gets its natural Yes
        QCOMPARE(rig.prompter.texts().size(), std::size_t(1));
        QVERIFY(kvr::hasSection(rig.database.root, "Restored"));
        QVERIFY(!kvr::hasSection(rig.database.root, "Zeta"));
        QCOMPARE(listBackups(rig.settings.DatabaseFilename).size(), std::size_t(2));
        auto *tree = window->findChild<QTreeWidget *>(QStringLiteral("databaseTree"));
        QCOMPARE(tree->topLevelItemCount(), 1);
        kvr::test::saveScreenshot(window.get(), "maindlg-after-restore");
    }
};

QTEST_MAIN(BackupRestoreDlgTest)
#include "backuprestoredlg_test.moc"
