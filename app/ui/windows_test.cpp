// The program's small windows: the loading window and its loader, the about box, the help.
#include <atomic>
#include <memory>
#include <thread>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>

#include "app/ui/aboutdlg.h"
#include "app/ui/helpwindow.h"
#include "app/ui/splashdlg.h"
#include "app/ui/splashloader.h"
#include "app/ui/testsupport_main.h"
#include "app/ui/uithread.h"
#include "platform/cp932.h"
#include "platform/ui/fonts.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;

namespace {

// Notes the thread each box is asked on.
class CThreadNotingPrompter final : public IPrompter
{
public:
    Reply ask(const Message &message) override
    {
        threads.push_back(QThread::currentThread());
        texts.push_back(message.text);
        return Reply::Ok;
    }
    std::vector<QThread *> threads;
    std::vector<std::string> texts;
};

} // namespace

class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }

    void loaderRunsOffTheUiThreadAndAsksOnIt();
    void loaderFailureAndExceptionsReportFalse();
    void aboutBoxShowsVersionAndCopyright_data();
    void aboutBoxShowsVersionAndCopyright();
    void homePageAddressesTellTheProgramsApart();
    void helpWindowShowsTheTopPageAndFollowsLinks();
    void helpWindowOpensOnTheEditorPage();
};

void WindowsTest::loaderRunsOffTheUiThreadAndAsksOnIt()
{
    CSplashDlg splash;
    CThreadNotingPrompter inner;
    CUiThreadPrompter prompter(inner, &splash);
    QThread *loaderThread = nullptr;
    QString shownWhileLoading;
    std::atomic<bool> release = false;
    QTimer::singleShot(0, &splash, [&] {
        // The status report has arrived and the window is up while the loader waits.
        QTRY_VERIFY(!splash.status().isEmpty());
        shownWhileLoading = splash.status();
        kvr::test::saveScreenshot(&splash, QStringLiteral("splash"));
        release = true;
    });
    const bool loaded = runBehindSplash(splash, [&](const StatusReport &status) {
        loaderThread = QThread::currentThread();
        status("Loading database...");
        while (!release)
            std::this_thread::yield();
        prompter.ask(Message { cp932::text("確認"), {}, Buttons::Ok, Icon::None, {}, false });
        status({});
        return true;
    });
    QVERIFY(loaded);
    QVERIFY(!splash.isVisible());
    QCOMPARE(shownWhileLoading, QStringLiteral("Loading database..."));
    QVERIFY(loaderThread && loaderThread != QThread::currentThread());
    QCOMPARE(inner.threads.size(), std::size_t(1));
    QCOMPARE(inner.threads[0], QThread::currentThread());
}

void WindowsTest::loaderFailureAndExceptionsReportFalse()
{
    {
        CSplashDlg splash;
        QVERIFY(!runBehindSplash(splash, [](const StatusReport &) { return false; }));
    }
    {
        CSplashDlg splash;
        QVERIFY(!runBehindSplash(
            splash, [](const StatusReport &) -> bool { throw std::runtime_error("broken"); }));
    }
}

void WindowsTest::aboutBoxShowsVersionAndCopyright_data()
{
    QTest::addColumn<bool>("editor");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("shot");
    QTest::newRow("study") << false << QString::fromUtf8("Kelvora のﾊﾞｰｼﾞｮﾝ情報")
                           << QStringLiteral("Kelvora  Version 4.0.0") << QStringLiteral("about");
    QTest::newRow("editor") << true << QString::fromUtf8("KvrEditorのﾊﾞｰｼﾞｮﾝ情報")
                            << QStringLiteral("KvrEditor  Version 4.0.0")
                            << QStringLiteral("about-editor");
}

void WindowsTest::aboutBoxShowsVersionAndCopyright()
{
    QFETCH(bool, editor);
    QFETCH(QString, caption);
    QFETCH(QString, version);
    QFETCH(QString, shot);
    // The study program's call sites name no program.
    std::unique_ptr<CAboutDlg> about =
        editor ? std::make_unique<CAboutDlg>(kEditorProgram) : std::make_unique<CAboutDlg>();
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about.get()));
    QCOMPARE(about->windowTitle(), caption);
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("aboutVersion"))->text(), version);
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("aboutCopyright"))->text(),
             QStringLiteral("Copyright (C) 2026 The Kelvora Project"));
    QVERIFY(!about->findChild<QLabel *>(QStringLiteral("aboutIcon"))->pixmap().isNull());
    kvr::test::saveScreenshot(about.get(), shot);
    QTest::keyClick(about.get(), Qt::Key_Return);
    QCOMPARE(about->result(), int(QDialog::Accepted));
}

void WindowsTest::homePageAddressesTellTheProgramsApart()
{
    QCOMPARE(homePageOf(kStudyProgram), std::string("https://kelvora.example.org/?t=r:Kvr4.0.0"));
    QCOMPARE(homePageOf(kEditorProgram),
             std::string("https://kelvora.example.org/?t=r:KvrEditor4.0.0"));
}

void WindowsTest::helpWindowShowsTheTopPageAndFollowsLinks()
{
    CHelpWindow help;
    help.showPage(CHelpWindow::topPage());
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QTextBrowser *browser = help.browser();
    QVERIFY(!browser->toPlainText().trimmed().isEmpty());
    kvr::test::saveScreenshot(&help, QStringLiteral("help"));
    for (const char *page : { "option.html", "editor.html" }) {
        const QUrl target = CHelpWindow::topPage().resolved(QUrl(QLatin1String(page)));
        browser->setSource(target);
        QCOMPARE(browser->source(), target);
        QVERIFY(!browser->toPlainText().trimmed().isEmpty());
    }
    QVERIFY(browser->isBackwardAvailable());
}

// The editor's help opens on its own page, which is its home, and reaches the top page.
void WindowsTest::helpWindowOpensOnTheEditorPage()
{
    const QUrl editorPage = CHelpWindow::startPage(kEditorProgram);
    QCOMPARE(editorPage, QUrl(QStringLiteral("qrc:/help/editor.html")));
    CHelpWindow help(editorPage);
    help.resize(760, 620);
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QTextBrowser *browser = help.browser();
    QCOMPARE(browser->source(), editorPage);
    QCOMPARE(help.windowTitle(), QString::fromUtf8("Kelvora ヘルプ － 問題エディタ KvrEditor"));
    const QString text = browser->toPlainText();
    // What the editor's users look for first: the keys, the row commands and the files.
    for (const char *topic :
         { "F3", "F4", "Shift+F1", "行の挿入(I)", "エクスポート(E)...", "インポート(I)...",
           "CSV/テキストから問題集を作成(V)...", "表計算ソフト", "バックアップから戻す(B)..." })
        QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);
    kvr::test::saveScreenshot(&help, QStringLiteral("help-editor"));
    for (const char *anchor : { "spreadsheet", "csv", "menus", "backup" }) {
        browser->scrollToAnchor(QLatin1String(anchor));
        kvr::test::saveScreenshot(&help, QStringLiteral("help-editor-") + QLatin1String(anchor));
    }

    browser->setSource(CHelpWindow::topPage());
    QVERIFY(browser->toPlainText().contains(QString::fromUtf8("Kelvora ヘルプ")));
    QVERIFY(browser->toPlainText().contains(QString::fromUtf8("journal.txt")));
    browser->scrollToAnchor(QStringLiteral("studychart"));
    kvr::test::saveScreenshot(&help, QStringLiteral("help-studychart"));
    browser->home();
    QCOMPARE(browser->source(), editorPage);
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
