#include <QTest>
#include <QWidget>

#include "platform/ui/afterpaint.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr::ui;

class AfterPaintTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }
    void runsOnceAfterTheFirstPaintOnly();
    void neverRunsForAWindowGoneUnpainted();
};

void AfterPaintTest::runsOnceAfterTheFirstPaintOnly()
{
    QWidget window;
    window.resize(200, 100);
    int runs = 0;
    bool paintedFirst = false;
    runAfterFirstPaint(window, [&] {
        ++runs;
        paintedFirst = window.isVisible();
    });
    QCoreApplication::processEvents(); // nothing painted yet: nothing runs
    QCOMPARE(runs, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(runs, 1);
    QVERIFY(paintedFirst);
    window.repaint();
    window.update();
    QTest::qWait(20);
    QCOMPARE(runs, 1);
}

void AfterPaintTest::neverRunsForAWindowGoneUnpainted()
{
    int runs = 0;
    {
        QWidget window;
        runAfterFirstPaint(window, [&] { ++runs; });
    }
    QCoreApplication::processEvents();
    QCOMPARE(runs, 0);
}

QTEST_MAIN(AfterPaintTest)
#include "afterpaint_test.moc"
