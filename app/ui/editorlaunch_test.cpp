// "問題エディタ(&E)...": the editor beside the running program, started without waiting.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/editorlaunch.h"
#include "app/ui/maindlg.h"
#include "app/ui/testsupport_main.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtprompter.h"
#include "platform/ui/qtshell.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;

class EditorLaunchTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }
    void menuAndToolBarStartTheEditorBesideTheProgram();
    void aRefusedStartIsTold();
    void theRealShellStartsTheEditorInItsFolder();
    void aProgramThatCannotRunShowsItsPath();
};

void EditorLaunchTest::menuAndToolBarStartTheEditorBesideTheProgram()
{
    kvr::test::MainWindowRig rig;
    auto window = rig.makeWindow();
    window->menuAction(MainCommand::Editor)->trigger();
    window->toolAction(MainCommand::Editor)->trigger();

    const std::string folder = kvr::ui::cp932(QCoreApplication::applicationDirPath());
    const kvr::test::RecordingShell::Started expected { folder + "/KvrEditor", {}, folder };
    QCOMPARE(rig.shell.started.size(), std::size_t(2));
    QVERIFY(rig.shell.started[0] == expected);
    QVERIFY(rig.shell.started[1] == expected);
    QVERIFY(rig.prompter.asked.empty());
}

void EditorLaunchTest::aRefusedStartIsTold()
{
    kvr::test::MainWindowRig rig;
    rig.shell.accepts = false;
    auto window = rig.makeWindow();
    window->menuAction(MainCommand::Editor)->trigger();

    // No KvrEditor lies beside the test programs.
    QCOMPARE(rig.prompter.asked.size(), std::size_t(1));
    const QString text = qtext(rig.prompter.asked[0].text);
    QVERIFY2(text.startsWith(QString::fromUtf8("問題エディタ KvrEditor が見つかりませんでした。")),
             qPrintable(text));
    QVERIFY(text.contains(QCoreApplication::applicationDirPath() + QStringLiteral("/KvrEditor")));
}

// A stand-in editor notes the folder it runs in; the study program goes on at once.
void EditorLaunchTest::theRealShellStartsTheEditorInItsFolder()
{
    TempFolder folder;
    folder.put("KvrEditor", "#!/bin/sh\npwd > started.txt\n");
    QFile::setPermissions(qtext(folder / "KvrEditor"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    CQtShell shell;
    kvr::test::CScriptedPrompter prompter;
    QVERIFY(startEditor(shell, prompter, folder.path()));
    QTRY_VERIFY(QFile(qtext(folder / "started.txt")).size() > 0);
    QCOMPARE(QString::fromStdString(readFile(folder / "started.txt")).trimmed(),
             qtext(folder.path()));
    QVERIFY(prompter.asked.empty());
}

// A KvrEditor without the right to run: the real box names the file.
void EditorLaunchTest::aProgramThatCannotRunShowsItsPath()
{
    TempFolder folder;
    folder.put("KvrEditor", "not a program\n");
    CQtShell shell;
    CQtPrompter prompter(QStringLiteral("Kvr"));
    const auto seen =
        kvr::test::answerNextMessageBox(QMessageBox::Ok, QStringLiteral("editor-launch-failed"));
    QVERIFY(!startEditor(shell, prompter, folder.path()));
    const QString shown = seen->text;
    QVERIFY2(shown.startsWith(QString::fromUtf8("問題エディタ KvrEditor を起動できませんでした。")),
             qPrintable(shown));
    QVERIFY(shown.contains(qtext(folder / "KvrEditor")));
}

QTEST_MAIN(EditorLaunchTest)
#include "editorlaunch_test.moc"
