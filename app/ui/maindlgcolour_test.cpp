#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include "app/ui/maindlg.h"
#include "app/ui/testsupport_main.h"
#include "db/questiondatabase.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using kvr::test::child;

// The main window's text follows its background colour; the parts with their own light
// surface keep the system's text.
class MainDlgColourTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }
    void textFollowsTheBackgroundsLightness_data();
    void textFollowsTheBackgroundsLightness();
};

void MainDlgColourTest::textFollowsTheBackgroundsLightness_data()
{
    QTest::addColumn<int>("colorRef");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QString>("picture");
    QTest::newRow("navy") << 0x800000 << QColor(Qt::white) << QStringLiteral("maindlg_dark");
    QTest::newRow("default light blue") << 16765088 << QColor(Qt::black) << QString();
}

void MainDlgColourTest::textFollowsTheBackgroundsLightness()
{
    QFETCH(int, colorRef);
    QFETCH(QColor, text);
    QFETCH(QString, picture);
    kvr::test::MainWindowRig rig;
    rig.settings.BackgroundColor = colorRef;
    const QString source = qEnvironmentVariable("KVR_TEST_SOURCE_DIR");
    QVERIFY(readDatabase(rig.database, cp932(source + QStringLiteral("/data/Datas/DBv3.kvr"))));
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->palette().color(QPalette::WindowText), text);
    const QColor system = QApplication::palette().color(QPalette::WindowText);
    QCOMPARE(child<QTabWidget>(window.get(), "pageTabs")->palette().color(QPalette::WindowText),
             system);
    if (!picture.isEmpty())
        kvr::test::saveScreenshot(window.get(), picture);
}

QTEST_MAIN(MainDlgColourTest)
#include "maindlgcolour_test.moc"
