#include <QDesktopServices>
#include <QTest>

#include "platform/testsupport.h"
#include "platform/ui/qtshell.h"

using namespace kvr;
using namespace kvr::ui;

// Catches what the desktop would be handed (QDesktopServices routes a scheme to a handler).
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class QtShellTest : public QObject
{
    Q_OBJECT
private slots:
    void addressesReachTheDesktopOnlyWhenStrictlyEncoded();
    void startsAProgramInItsFolderWithoutWaiting();
};

void QtShellTest::addressesReachTheDesktopOnlyWhenStrictlyEncoded()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    CQtShell shell;
    QVERIFY(shell.openAddress("https://j.example/?q=%E8%B5%B0"));
    QVERIFY(!shell.openAddress("https://j.example/?q=a b")); // Qt would repair it
    QVERIFY(!shell.openAddress("no-scheme"));
    QVERIFY(shell.openFile("/opt/kvr/Readme.txt"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls[0].toEncoded(), QByteArray("https://j.example/?q=%E8%B5%B0"));
    QCOMPARE(catcher.urls[1].toLocalFile(), QStringLiteral("/opt/kvr/Readme.txt"));
}

void QtShellTest::startsAProgramInItsFolderWithoutWaiting()
{
    TempFolder folder;
    CQtShell shell;
    QVERIFY(shell.startDetached("/bin/sh", { "-c", "pwd > here.txt" }, folder.path()));
    QTRY_VERIFY(QFile::exists(QString::fromStdString(folder / "here.txt")));
    QTRY_COMPARE(readFile(folder / "here.txt"), folder.path() + "\n");
    QVERIFY(!shell.startDetached("/no/such/program", {}, {}));
}

QTEST_MAIN(QtShellTest)
#include "qtshell_test.moc"
