#include <QTest>

#include "platform/ui/qttimerhost.h"

using namespace kvr::ui;

class QtTimerHostTest : public QObject
{
    Q_OBJECT
private slots:
    void firesRepeatedlyUntilStopped();
    void startingAgainReplacesThePeriod();
    void stopInsideTheCallback();
    void restartInsideTheCallback();
    void stopOfAnIdleIdIsHarmless();
    void parentGoneFirstIsSafe();
};

void QtTimerHostTest::firesRepeatedlyUntilStopped()
{
    QObject owner;
    std::vector<int> fired;
    CQtTimerHost host(&owner, [&](int id) { fired.push_back(id); });
    host.startTimer(1, 10);
    host.startTimer(2, 15);
    QTRY_VERIFY(std::count(fired.begin(), fired.end(), 1) >= 3);
    QTRY_VERIFY(std::count(fired.begin(), fired.end(), 2) >= 2);
    host.stopTimer(1);
    QVERIFY(!host.isRunning(1));
    QVERIFY(host.isRunning(2));
    const auto ones = std::count(fired.begin(), fired.end(), 1);
    QTest::qWait(50);
    QCOMPARE(std::count(fired.begin(), fired.end(), 1), ones);
}

void QtTimerHostTest::startingAgainReplacesThePeriod()
{
    QObject owner;
    int count = 0;
    CQtTimerHost host(&owner, [&](int) { ++count; });
    host.startTimer(3, 10'000);
    host.startTimer(3, 10); // replaces the slow one: only one timer of an id runs
    QTRY_VERIFY(count >= 2);
    QCOMPARE(owner.findChildren<QTimer *>().size(), 1);
}

void QtTimerHostTest::stopInsideTheCallback()
{
    QObject owner;
    int count = 0;
    CQtTimerHost *self = nullptr;
    CQtTimerHost host(&owner, [&](int id) {
        ++count;
        self->stopTimer(id);
    });
    self = &host;
    host.startTimer(4, 5);
    QTRY_COMPARE(count, 1);
    QTest::qWait(40);
    QCOMPARE(count, 1);
    QVERIFY(!host.isRunning(4));
}

void QtTimerHostTest::restartInsideTheCallback()
{
    // The drill moves from one timer to the next inside a callback.
    QObject owner;
    std::vector<int> fired;
    CQtTimerHost *self = nullptr;
    CQtTimerHost host(&owner, [&](int id) {
        fired.push_back(id);
        self->stopTimer(id);
        if (id == 5)
            self->startTimer(6, 5);
    });
    self = &host;
    host.startTimer(5, 5);
    QTRY_COMPARE(fired.size(), std::size_t(2));
    QCOMPARE(fired, (std::vector<int> { 5, 6 }));
}

void QtTimerHostTest::stopOfAnIdleIdIsHarmless()
{
    QObject owner;
    CQtTimerHost host(&owner, [](int) {});
    host.stopTimer(7);
    QVERIFY(!host.isRunning(7));
}

void QtTimerHostTest::parentGoneFirstIsSafe()
{
    int count = 0;
    auto owner = std::make_unique<QObject>();
    CQtTimerHost host(owner.get(), [&](int) { ++count; });
    host.startTimer(8, 5);
    owner.reset();
    QVERIFY(!host.isRunning(8));
    host.stopTimer(8);
    QTest::qWait(20);
    QCOMPARE(count, 0);
}

QTEST_GUILESS_MAIN(QtTimerHostTest)
#include "qttimerhost_test.moc"
