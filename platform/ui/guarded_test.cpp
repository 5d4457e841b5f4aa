#include <QTest>

#include "platform/error.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtprompter.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;

class GuardedTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }
    void failureBecomesABox_data();
    void failureBecomesABox();
    void successShowsNothing();
};

void GuardedTest::failureBecomesABox_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("wrapped");
    QTest::addColumn<QString>("shown");
    QTest::newRow("KvrError") << 0 << true
                              << "問題集を取得できませんでした。(section a/b not found.)";
    QTest::newRow("std::exception") << 1 << true << "問題集を取得できませんでした。(100% bad)";
    QTest::newRow("anything") << 2 << true << "問題集を取得できませんでした。(unknown error)";
    QTest::newRow("KvrError alone") << 0 << false << "section a/b not found.";
    QTest::newRow("std::exception alone") << 1 << false << "100% bad";
}

void GuardedTest::failureBecomesABox()
{
    QFETCH(int, kind);
    QFETCH(bool, wrapped);
    CQtPrompter prompter(QStringLiteral("Kvr"));
    auto seen = kvr::test::answerNextMessageBox(QMessageBox::Ok);
    const auto fail = [&] {
        if (kind == 0)
            throw KvrError("section a/b not found.");
        if (kind == 1)
            throw std::runtime_error("100% bad");
        throw 42;
    };
    const bool ran = wrapped ? guarded(prompter, "問題集を取得できませんでした。(%s)", fail)
                             : guarded(prompter, fail);
    QVERIFY(!ran);
    QVERIFY(seen->seen);
    QTEST(seen->text, "shown");
    QCOMPARE(seen->icon, QMessageBox::Critical);
}

void GuardedTest::successShowsNothing()
{
    CQtPrompter prompter(QStringLiteral("Kvr"));
    bool called = false;
    QVERIFY(guarded(prompter, [&] { called = true; }));
    QVERIFY(called);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(GuardedTest)
#include "guarded_test.moc"
