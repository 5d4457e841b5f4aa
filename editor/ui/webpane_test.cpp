#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "editor/ui/webpane.h"
#include "platform/testsupport_shell.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

class WebPaneTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    // Without an embedded browser the pane shows the address and opens it on request.
    void withoutABrowserTheAddressGoesToTheUsersBrowser()
    {
        RecordingShell shell;
        CWebPane pane(shell, nullptr, false);
        pane.resize(300, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        auto *open = child<QPushButton>(&pane, "openInBrowser");
        QVERIFY(!open->isVisible()); // nothing looked up yet
        pane.showAddress("http://127.0.0.1:9/ej?q=go%20on");
        QVERIFY(child<QLabel>(&pane, "webNote")
                    ->text()
                    .contains(QStringLiteral("http://127.0.0.1:9/ej?q=go%20on")));
        QVERIFY(open->isVisible());
        open->click();
        QCOMPARE(shell.addresses, std::vector<std::string> { "http://127.0.0.1:9/ej?q=go%20on" });
        saveScreenshot(&pane, "editor_webpane_external");
    }

    // A local page, never the network: it shows; a missing one tells why.
    void theEmbeddedBrowserShowsAPageOrWhyNot()
    {
        if (!CWebPane::canEmbed())
            QSKIP("built without Qt WebEngine");
        QTemporaryDir folder;
        QFile page(folder.filePath(QStringLiteral("page.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><title>dictionary</title></head><body>go</body></html>");
        page.close();
        RecordingShell shell;
        CWebPane pane(shell);
        pane.resize(300, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.showAddress(QUrl::fromLocalFile(page.fileName()).toString().toStdString());
        auto *view = child<QWidget>(&pane, "webView");
        QTRY_COMPARE_WITH_TIMEOUT(view->property("title").toString(), QStringLiteral("dictionary"),
                                  60000);
        QVERIFY(view->isVisible());

        pane.showAddress(QUrl::fromLocalFile(folder.filePath(QStringLiteral("gone.html")))
                             .toString()
                             .toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>(&pane, "webNote")->isVisible(), 60000);
        QVERIFY(child<QLabel>(&pane, "webNote")
                    ->text()
                    .startsWith(utext("ページを表示できませんでした。")));
        saveScreenshot(&pane, "editor_webpane_failed");
    }
};

int main(int argc, char **argv)
{
    // The browser's sandbox refuses root, and its views need shared GL contexts.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    WebPaneTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "webpane_test.moc"
