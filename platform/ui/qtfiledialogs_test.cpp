#include <functional>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtfiledialogs.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;

namespace {

// Runs each step on the file dialog shown, in turn; every step must close the dialog (a
// dialog asked again is the same object, shown anew).
void driveFileDialogs(std::vector<std::function<void(QFileDialog *)>> steps)
{
    auto *timer = new QTimer;
    auto remaining =
        std::make_shared<std::vector<std::function<void(QFileDialog *)>>>(std::move(steps));
    QObject::connect(timer, &QTimer::timeout, [timer, remaining] {
        QFileDialog *dialog = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *d = qobject_cast<QFileDialog *>(w); d && d->isVisible())
                dialog = d;
        }
        if (!dialog || remaining->empty())
            return;
        auto step = remaining->front();
        remaining->erase(remaining->begin());
        if (remaining->empty())
            timer->deleteLater();
        step(dialog);
    });
    timer->start(20);
}

// What the user types into the dialog's name field.
void typeFileName(QFileDialog *dialog, const QString &name)
{
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
}

} // namespace

class QtFileDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }
    void nameFilters_data();
    void nameFilters();
    void unholdablePathIsRefusedAndAskedAgain();
    void folderRequestStartsAtTheProposedFolder();
};

void QtFileDialogsTest::nameFilters_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("named") << "Kvr Files(*.kvr)"
                           << "*.kvr"
                           << "Kvr Files(*.kvr)";
    QTest::newRow("bare label") << "Text"
                                << "*.txt"
                                << "Text (*.txt)";
    QTest::newRow("pattern only") << "*.ini"
                                  << "*.ini"
                                  << "*.ini";
    QTest::newRow("two patterns") << "Kvr Export File (*.kve;*.kvf)"
                                  << "*.kve;*.kvf"
                                  << "Kvr Export File (*.kve *.kvf)";
    QTest::newRow("japanese") << "すべて(*.*)"
                              << "*.*"
                              << "すべて(*.*)";
}

void QtFileDialogsTest::nameFilters()
{
    QFETCH(QString, label);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    const QStringList filters =
        CQtFileDialogs::nameFilters({ { ui::cp932(label), ui::cp932(pattern) } });
    QCOMPARE(filters, QStringList { expected });
}

void QtFileDialogsTest::unholdablePathIsRefusedAndAskedAgain()
{
    TempFolder folder;
    test::CScriptedPrompter prompter;
    CQtFileDialogs dialogs(prompter);
    FileRequest request;
    request.mode = FileDialogMode::Save;
    request.title = cp932::text("ファイル出力");
    request.filters = { { "Text Files(*.txt)", "*.txt" } };
    request.defaultExtension = "txt";
    request.proposedName = folder / "list.txt";
    QString shownTitle;
    QString shownFile;
    driveFileDialogs({
        [&](QFileDialog *dialog) {
            shownTitle = dialog->windowTitle();
            shownFile = dialog->selectedFiles().value(0);
            kvr::test::saveScreenshot(dialog, "filedialog_save");
            typeFileName(dialog, utext("한국.txt"));
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides it
        },
        [&](QFileDialog *dialog) {
            typeFileName(dialog, utext("一覧.txt"));
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides it
        },
    });
    const std::optional<std::string> chosen = dialogs.askPath(request);
    QCOMPARE(shownTitle, utext("ファイル出力"));
    QVERIFY(shownFile.endsWith(QStringLiteral("/list.txt")));
    QCOMPARE(prompter.texts(), std::vector<std::string> { cp932::text(kUnholdablePathText) });
    QVERIFY(chosen);
    QCOMPARE(qtext(*chosen), qtext(folder.path()) + utext("/一覧.txt"));
}

void QtFileDialogsTest::folderRequestStartsAtTheProposedFolder()
{
    TempFolder folder;
    test::CScriptedPrompter prompter;
    CQtFileDialogs dialogs(prompter);
    FileRequest request;
    request.mode = FileDialogMode::Folder;
    request.title = cp932::text("フォルダを選択してください");
    request.proposedName = folder / "voices"; // missing: its nearest existing folder opens
    QString directory;
    driveFileDialogs({ [&](QFileDialog *dialog) {
        directory = dialog->directory().absolutePath();
        QVERIFY(dialog->fileMode() == QFileDialog::Directory);
        dialog->reject();
    } });
    QVERIFY(!dialogs.askPath(request));
    QCOMPARE(directory, qtext(folder.path()));
    QVERIFY(prompter.asked.empty());
}

QTEST_MAIN(QtFileDialogsTest)
#include "qtfiledialogs_test.moc"
