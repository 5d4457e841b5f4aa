// The program's small windows: the loading window and its loader, the about box, the help.
#include <atomic>
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
    void aboutBoxShowsVersionAndCopyright();
    void helpWindowShowsTheTopPageAndFollowsLinks();
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

void WindowsTest::aboutBoxShowsVersionAndCopyright()
{
    CAboutDlg about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.windowTitle(), QString::fromUtf8("Kelvora のﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("aboutVersion"))->text(),
             QStringLiteral("Kelvora  Version 4.0.0"));
    QVERIFY(!about.findChild<QLabel *>(QStringLiteral("aboutCopyright"))->text().isEmpty());
    QVERIFY(!about.findChild<QLabel *>(QStringLiteral("aboutIcon"))->pixmap().isNull());
    kvr::test::saveScreenshot(&about, QStringLiteral("about"));
    QTest::keyClick(&about, Qt::Key_Return);
    QCOMPARE(about.result(), int(QDialog::Accepted));
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

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
