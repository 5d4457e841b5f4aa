// The drill window's helps for learners: the notice of full-width typing, "正解にする(&O)"
// and the drill of the missed questions started from the report. Their rules are the
// session's; these check that the windows show them and pass them on.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "drill/ui/resultdlg.h"
#include "drill/ui/testsupport_drillwindow.h"
#include "platform/clock.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::session_test;
using kvr::ui::utext;

class DrillLearnerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::installFontSubstitutions(); }
    void cleanup() { test::expectNoTopLevelWindows(); }

    void fullWidthAnswerShowsTheWidthNotice()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        kvr::test::commitText(rig.input(), utext("ａｐｐｌｅ"));
        QTest::keyClick(rig.input(), Qt::Key_Return);
        QCOMPARE(rig.labelText("feedback"), utext("ほかには？"));
        QVERIFY(rig.widget<QLabel>("notice")->isVisible());
        QCOMPARE(rig.labelText("notice"), utext("全角で入力されています（IMEがオンのままです）"));
        QVERIFY(!rig.widget<QLabel>("instruction")->isVisible());
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-width-notice"));
    }

    void acceptButtonInTheCorrectionAtEachSkin_data()
    {
        QTest::addColumn<QString>("skin");
        for (const char *skin : { "default", "compact", "large" })
            QTest::newRow(skin) << QString::fromLatin1(skin);
    }

    void acceptButtonInTheCorrectionAtEachSkin()
    {
        QFETCH(QString, skin);
        WindowRig rig;
        rig.settings.SkinPath = sourceFile(("data/skin/" + skin + ".ini").toLatin1().constData());
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        auto *accept = rig.widget<QPushButton>("acceptButton");
        QVERIFY(!accept->isVisible());
        rig.typeAndEnter("apples");
        QVERIFY(rig.awaitingAnswer());
        QCOMPARE(rig.state(), DrillState::Correcting);
        QVERIFY(accept->isVisible() && accept->isEnabled());
        QCOMPARE(accept->text(), utext("正解にする(&O)"));
        QTest::mouseClick(rig.widget<QPushButton>("hintButton"), Qt::LeftButton);
        expectNothingOverlaps(rig);
        test::saveScreenshot(rig.dlg.get(), "drill-accept-as-correct-" + skin);
        QTest::mouseClick(accept, Qt::LeftButton);
        QCOMPARE(rig.state(), DrillState::ShowingCorrect);
        QCOMPARE(rig.labelText("correctNow"), QStringLiteral("   1"));
        QVERIFY(!accept->isVisible());
    }

    void addAnswerButtonBesideTheAcceptButtonAtEachSkin_data()
    {
        acceptButtonInTheCorrectionAtEachSkin_data();
    }

    void addAnswerButtonBesideTheAcceptButtonAtEachSkin()
    {
        QFETCH(QString, skin);
        WindowRig rig;
        RecordingAnswerStore answers;
        rig.answerStore = &answers;
        rig.settings.SkinPath = sourceFile(("data/skin/" + skin + ".ini").toLatin1().constData());
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        auto *add = rig.widget<QPushButton>("addAnswerButton");
        QVERIFY(!add->isVisible());
        rig.typeAndEnter("apples");
        QVERIFY(rig.awaitingAnswer());
        QVERIFY(add->isVisible() && add->isEnabled());
        QCOMPARE(add->text(), utext("この答えも正解に追加(&A)"));
        QTest::mouseClick(rig.widget<QPushButton>("hintButton"), Qt::LeftButton);
        expectNothingOverlaps(rig);
        test::saveScreenshot(rig.dlg.get(), "drill-add-answer-" + skin);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(answers.added.size(), std::size_t(1));
        QCOMPARE(QString::fromLatin1(answers.added[0].answer.c_str()), QStringLiteral("apples"));
        QCOMPARE(rig.state(), DrillState::ShowingCorrect);
        QCOMPARE(rig.labelText("notice"), utext("この答えを正解に追加しました"));
        QVERIFY(!add->isVisible());
    }

    // A character CP932 has no form for is judged as "?" but never stored.
    void anAnswerWithoutACp932FormIsNotAdded()
    {
        WindowRig rig;
        RecordingAnswerStore answers;
        rig.answerStore = &answers;
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        kvr::test::commitText(rig.input(), QStringLiteral("appl\u00e9\U0001F34E"));
        QTest::keyClick(rig.input(), Qt::Key_Return);
        QVERIFY(rig.awaitingAnswer());
        QCOMPARE(rig.state(), DrillState::Correcting);
        QTest::mouseClick(rig.widget<QPushButton>("addAnswerButton"), Qt::LeftButton);
        QVERIFY(answers.added.empty());
        QCOMPARE(rig.prompter.texts(), std::vector<std::string> { answerNotCp932Text() });
        QCOMPARE(rig.state(), DrillState::Correcting);
    }

    void theReportsButtonRunsTheMissedQuestionsAtOnce()
    {
        // Real timers and windows, modal: a wrong answer, Escape in the correction (the
        // first question: the drill ends), the report's button, then the second drill is
        // left before its first question and its report closed.
        RealTimeRig real;
        real.settings.IncorrectWaitTime = 0;
        QStringList seen;
        bool typed = false;
        test::ModalWindowPoll poll([&](QWidget *modal, bool fresh) {
            const bool report = qobject_cast<ui::CResultDlg *>(modal) != nullptr;
            if (fresh)
                seen << (report ? QStringLiteral("report") : modal->objectName());
            if (report) {
                if (fresh) // queued: the next modal must find this poll free to run
                    QTimer::singleShot(0, modal, [modal, first = seen.size() == 2] {
                        QTest::mouseClick(
                            modal->findChild<QPushButton *>(first ? "retryMissed" : "ok"),
                            Qt::LeftButton);
                    });
                return;
            }
            auto *input = modal->findChild<QLineEdit *>("input");
            auto *feedback = modal->findChild<QLabel *>("feedback");
            if (seen.size() == 3 && fresh) {
                QTimer::singleShot(0, modal, [modal] { QTest::keyClick(modal, Qt::Key_Escape); });
            } else if (seen.size() == 1 && !typed && input->isEnabled()
                       && feedback->text().isEmpty()) {
                typed = true;
                QTest::keyClicks(input, QStringLiteral("x"));
                QTest::keyClick(input, Qt::Key_Return);
            } else if (seen.size() == 1 && feedback->text().startsWith(utext("正しい答え"))) {
                QTimer::singleShot(0, modal, [modal] { QTest::keyClick(modal, Qt::Key_Escape); });
            }
        });
        ui::runDrillWindow(setupOf(words()), real.context, nullptr);
        poll.stop();
        QCOMPARE(seen, (QStringList { "drillDlg", "report", "drillDlg", "report" }));
        const CSectionLog *record =
            findLearnerRecord(real.log, real.settings.UserName, "Folder/Words", LogModeIndex(0));
        QVERIFY(record);
        QCOMPARE(record->recentRuns.size(), std::size_t(1)); // the second drill had no answer
        QCOMPARE(record->lastMissed, (std::vector<std::int32_t> { 0 }));
    }
};

QTEST_MAIN(DrillLearnerTest)
#include "drilllearner_test.moc"
