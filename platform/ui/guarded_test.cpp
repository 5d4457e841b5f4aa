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
    QTest::addColumn<QString>("shown");
    QTest::newRow("KvrError") << 0 << "問題集を取得できませんでした。(section a/b not found.)";
    QTest::newRow("std::exception") << 1 << "問題集を取得できませんでした。(bad thing)";
    QTest::newRow("anything") << 2 << "問題集を取得できませんでした。(unknown error)";
}

void GuardedTest::failureBecomesABox()
{
    QFETCH(int, kind);
    CQtPrompter prompter(QStringLiteral("Kvr"));
    auto seen = kvr::test::answerNextMessageBox(QMessageBox::Ok);
    const bool ran = guarded(prompter, "問題集を取得できませんでした。(%s)", [&] {
        if (kind == 0)
            throw KvrError("section a/b not found.");
        if (kind == 1)
            throw std::runtime_error("bad thing");
        throw 42;
    });
    QVERIFY(!ran);
    QVERIFY(seen->seen);
    QTEST(seen->text, "shown");
    QCOMPARE(seen->icon, QMessageBox::Critical);
}

void GuardedTest::successShowsNothing()
{
    CQtPrompter prompter(QStringLiteral("Kvr"));
    bool called = false;
    QVERIFY(guarded(prompter, "%s", [&] { called = true; }));
    QVERIFY(called);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(GuardedTest)
#include "guarded_test.moc"
