#include <functional>
#include <memory>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/kvrsettings.h"
#include "drill/drillsession.h"
#include "drill/drillwindow.h"
#include "drill/testsupport_session.h"
#include "drill/ui/answeredit.h"
#include "drill/ui/drilldlg.h"
#include "drill/ui/drillpainter.h"
#include "drill/ui/drillrunner.h"
#include "drill/ui/questionlistdlg.h"
#include "drill/ui/skinmenu.h"
#include "drill/ui/testsupport_drillwindow.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/settingsstore.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::session_test;
using kvr::ui::CDrillDlg;
using kvr::ui::utext;

namespace {

// Runs action on the popup menu once it is open (a popup's exec() blocks the test).
void whenPopupOpens(std::function<void(QMenu *)> action)
{
    auto *poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            poll->stop();
            poll->deleteLater();
            action(menu);
        }
    });
    poll->start();
}

// The choice row showing text, -1 when none.
int rightRow(const WindowRig &rig, const QString &text)
{
    for (int row = 0; row < kChoiceCount; ++row) {
        const QByteArray name = "choiceFields" + QByteArray::number(row);
        if (rig.widget<QLineEdit>(name.constData())->text() == text)
            return row;
    }
    return -1;
}

QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class DrillDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::installFontSubstitutions(); }
    void cleanup() { test::expectNoTopLevelWindows(); }

    void typedQuestionReachesTheControls()
    {
        WindowRig rig;
        rig.settings.UseReplyStartLimitJe = true;
        rig.settings.ReplyStartLimitJe = 3000;
        QVERIFY(rig.open(setupOf(words())));
        QCOMPARE(rig.labelText("feedback"), utext("まもなく始まります。がんばってください！"));
        QVERIFY(!rig.input()->isEnabled());
        QVERIFY(rig.awaitingAnswer());
        rig.timers.advance(1500);
        auto *limitBar = rig.widget<QProgressBar>("TransLimitBar");
        QVERIFY(limitBar->isVisible());
        QVERIFY(limitBar->value() >= 490 && limitBar->value() <= 510);

        QCOMPARE(rig.dlg->windowTitle(), utext("Kelvora (Translate Window)  - Folder/Words -"));
        QCOMPARE(rig.labelText("instruction"), utext("日本語を英語に訳そう！"));
        QCOMPARE(rig.labelText("allQuestions"), QStringLiteral("   4"));
        QCOMPARE(rig.labelText("remaining"), QStringLiteral("   3"));
        QVERIFY(rig.input()->isEnabled());
        QVERIFY(rig.widget<QPushButton>("hintButton")->isVisible());
        QVERIFY(!rig.widget<QPushButton>("lastQuestionButton")->isVisible());
        for (const char *name : { "choiceButtons0", "choiceButtons3" })
            QVERIFY(!rig.widget<QPushButton>(name)->isVisible());
        QVERIFY(!rig.widget<QLineEdit>("choiceFields1")->isVisible());
        // English is typed here: the input method stays off.
        QCOMPARE(rig.input()->inputMethodQuery(Qt::ImEnabled).toBool(), false);
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-typed-question"));

        QTest::mouseClick(rig.widget<QPushButton>("hintButton"), Qt::LeftButton);
        QVERIFY(rig.widget<QLineEdit>("hintField")->isVisible());
        QCOMPARE(rig.widget<QLineEdit>("hintField")->text(), utext("赤い果物"));
    }

    void typingAndEnterConfirms()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        rig.dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.dlg.get()));
        QCOMPARE(QApplication::focusWidget(), rig.input());

        rig.typeAndEnter("apple");
        QCOMPARE(rig.state(), DrillState::Answering); // one of two answers
        QVERIFY(rig.input()->text().isEmpty());
        QCOMPARE(rig.labelText("correctNow"), QStringLiteral("   0"));
        rig.typeAndEnter("an apple");
        QCOMPARE(rig.state(), DrillState::ShowingCorrect);
        QCOMPARE(rig.labelText("correctNow"), QStringLiteral("   1"));
        QVERIFY(!rig.widget<QPushButton>("confirmButton")->isEnabled());
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-typed-correct"));
        // While the result shows, Enter and Escape do nothing.
        QTest::keyClick(rig.input(), Qt::Key_Escape);
        QTest::keyClick(rig.input(), Qt::Key_Return);
        QCOMPARE(rig.state(), DrillState::ShowingCorrect);
        QVERIFY(rig.dlg->isVisible());
    }

    void inputMethodCommitNeverConfirms()
    {
        WindowRig rig;
        const std::vector<std::string> lines = { questionLine(sj("りんご"), { "apple" }),
                                                 questionLine(sj("走る"), { "run" }) };
        QVERIFY(rig.open(setupOf(lines, DrillMode::EnglishToJapaneseTyped)));
        QVERIFY(rig.awaitingAnswer());
        QVERIFY(rig.input()->inputMethodQuery(Qt::ImEnabled).toBool());

        sendPreedit(rig.input(), utext("りんご"));
        QVERIFY(rig.input()->composing());
        // An Enter arriving while the composition is pending must not confirm.
        QTest::keyClick(rig.input(), Qt::Key_Return);
        kvr::test::commitText(rig.input(), utext("りんご"));
        QCOMPARE(rig.input()->text(), utext("りんご"));
        QCOMPARE(rig.state(), DrillState::Answering);
        QVERIFY(rig.labelText("feedback").isEmpty());

        QTest::keyClick(rig.input(), Qt::Key_Return);
        QCOMPARE(rig.state(), DrillState::ShowingCorrect);
    }

    void wrongAnswerShowsTheCorrection()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        const QString caption = rig.dlg->windowTitle();
        rig.typeAndEnter("aple");
        QCOMPARE(rig.state(), DrillState::ShowingWrong);
        QVERIFY(rig.dlg->windowTitle() != caption); // the caption flashes
        QCOMPARE(rig.labelText("incorrectNow"), QStringLiteral("   1"));

        QVERIFY(rig.awaitingAnswer());
        QCOMPARE(rig.state(), DrillState::Correcting);
        QCOMPARE(rig.dlg->windowTitle(), caption);
        QCOMPARE(rig.labelText("feedback"),
                 utext("正しい答えを入力しなさい！（間違った答え：aple）"));
        QVERIFY(rig.widget<QLineEdit>("answerDisplay")->isVisible());
        QCOMPARE(rig.widget<QLineEdit>("answerDisplay")->text(), QStringLiteral("apple"));
        QVERIFY(rig.input()->isEnabled());
        QVERIFY(rig.input()->text().isEmpty());
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-wrong-correction"));
    }

    void escapeCancelsAndCloses()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        QTest::keyClick(rig.input(), Qt::Key_Escape);
        QVERIFY(rig.view().closed);
        QCOMPARE(rig.results.reports.size(), std::size_t(1));
        QVERIFY(!rig.dlg->isVisible());
    }

    void fourChoicesReachTheButtons()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words(), DrillMode::EnglishToJapaneseChoice)));
        QVERIFY(rig.awaitingAnswer());
        QVERIFY(!rig.input()->isVisible());
        QVERIFY(!rig.widget<QLineEdit>("answerDisplay")->isVisible());
        QCOMPARE(rig.labelText("instruction"), utext("英語に対応する日本語を選ぼう！"));
        int right = -1;
        for (int row = 0; row < kChoiceCount; ++row) {
            const QByteArray suffix = QByteArray::number(row);
            auto *field = rig.widget<QLineEdit>(("choiceFields" + suffix).constData());
            QVERIFY(rig.widget<QPushButton>(("choiceButtons" + suffix).constData())->isVisible());
            if (field->text() == utext("りんご"))
                right = row;
        }
        QVERIFY(right >= 0);
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-four-choice"));

        const QByteArray name = "choiceButtons" + QByteArray::number(right);
        QTest::mouseClick(rig.widget<QPushButton>(name.constData()), Qt::LeftButton);
        QCOMPARE(rig.labelText("feedback"), utext("正解！"));
        QCOMPARE(rig.state(), DrillState::ShowingCorrect);
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-four-choice-correct"));
    }

    void digitKeysPickAndCorrectTheChoices()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words(), DrillMode::EnglishToJapaneseChoice)));
        QVERIFY(rig.awaitingAnswer());
        const int right = rightRow(rig, utext("りんご"));
        QVERIFY(right >= 0);
        const int wrong = (right + 1) % kChoiceCount;
        // The focused button "&1" gets the key, as it does for a learner.
        QTest::keyClick(rig.widget<QPushButton>("choiceButtons0"), Qt::Key(Qt::Key_1 + wrong));
        QCOMPARE(rig.state(), DrillState::ShowingWrong);
        QVERIFY(rig.awaitingAnswer());
        QCOMPARE(rig.state(), DrillState::Correcting);
        QWidget *shown =
            rig.widget<QPushButton>(("choiceButtons" + QByteArray::number(right)).constData());
        QTest::keyClick(shown, Qt::Key(Qt::Key_1 + wrong));
        QCOMPARE(rig.labelText("feedback"), utext("違う！"));
        QTest::keyClick(shown, Qt::Key(Qt::Key_1 + right));
        QCOMPARE(rig.labelText("feedback"), QStringLiteral("OK!"));
    }

    void fourChoiceLayoutAtEachSkin_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::newRow("default") << QStringLiteral("default");
        QTest::newRow("compact") << QStringLiteral("compact");
        QTest::newRow("large") << QStringLiteral("large");
    }

    void fourChoiceLayoutAtEachSkin()
    {
        QFETCH(QString, skin);
        WindowRig rig;
        rig.settings.SkinPath = sourceFile(("data/skin/" + skin + ".ini").toLatin1().constData());
        std::vector<std::string> lines = words();
        lines[0] = questionLine(sj("りんご%no"), { "apple" }, { sj("赤い果物"), sj("秋が旬") });
        QVERIFY(rig.open(setupOf(lines, DrillMode::JapaneseToEnglishChoice)));
        // The countdown shows the choice rows already, not the typed layout.
        QCOMPARE(rig.state(), DrillState::Starting);
        QVERIFY(!rig.input()->isVisible());
        for (int row = 0; row < kChoiceCount; ++row) {
            const QByteArray n = QByteArray::number(row);
            QVERIFY(rig.widget<QLineEdit>(("choiceFields" + n).constData())->isVisible());
            QVERIFY(!rig.widget<QPushButton>(("choiceButtons" + n).constData())->isEnabled());
        }
        expectNothingOverlaps(rig);
        test::saveScreenshot(rig.dlg.get(), "drill-four-choice-start-" + skin);

        QVERIFY(rig.awaitingAnswer());
        QVERIFY(rig.widget<QPushButton>("hintButton")->isVisible());
        expectNothingOverlaps(rig);
        test::saveScreenshot(rig.dlg.get(), "drill-four-choice-" + skin);
        const int right = rightRow(rig, QStringLiteral("apple"));
        QTest::keyClick(rig.widget<QPushButton>("choiceButtons0"), Qt::Key(Qt::Key_1 + right));
        QCOMPARE(rig.state(), DrillState::ShowingCorrect);
        QVERIFY(rig.widget<QLineEdit>("hintField")->isVisible());
        expectNothingOverlaps(rig);
        test::saveScreenshot(rig.dlg.get(), "drill-four-choice-hint-" + skin);
    }

    void menuButtonOpensTheSkinMenuWithTheCurrentSkinChecked()
    {
        WindowRig rig;
        rig.settings.SkinPath = sourceFile("data/skin/compact.ini");
        QVERIFY(rig.open(setupOf(words())));
        auto *button = rig.widget<QPushButton>("menuButton");
        QVERIFY(button->isVisible());
        QCOMPARE(button->text(), utext("メニュー"));
        QStringList top;
        QStringList checked;
        whenPopupOpens([&top, &checked](QMenu *menu) {
            top = actionTexts(menu);
            if (auto *change = menu->findChild<QMenu *>(QStringLiteral("changeSkin"))) {
                for (const QAction *action : change->actions()) {
                    if (action->isChecked())
                        checked << action->text();
                }
                change->popup(menu->geometry().topRight());
                QTest::qWait(50);
                test::saveScreenshot(change, QStringLiteral("drill-skin-menu-current"));
            }
            menu->close();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(top.value(0), utext("スキンの再読込(&R)\tF5"));
        QCOMPARE(checked, QStringList { utext("コンパクト") });
        QCOMPARE(rig.state(), DrillState::Starting);
    }

    void lastQuestionPopupFromCtrlB()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        rig.typeAndEnter("apple");
        rig.typeAndEnter("an apple");
        QVERIFY(rig.awaitingAnswer());
        QVERIFY(rig.widget<QPushButton>("lastQuestionButton")->isVisible());

        QStringList shown;
        whenPopupOpens([&shown](QMenu *menu) {
            shown = actionTexts(menu);
            test::saveScreenshot(menu, QStringLiteral("drill-last-question-menu"));
            menu->close();
        });
        QTest::keyClick(rig.input(), Qt::Key_B, Qt::ControlModifier);
        const QStringList expected { utext("テキストファイルに追加する...(&T)"),
                                     utext("データベースに追加する...(&A)"), QStringLiteral("-"),
                                     utext("《問題》 りんご, "),
                                     utext("《解答》 apple, an apple") };
        QCOMPARE(shown, expected);
        QCOMPARE(rig.state(), DrillState::Answering);
    }

    void skinChoiceLaysTheWindowOut()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        const std::string compact = sourceFile("data/skin/compact.ini");
        rig.dlg->runMenuChoice({ ui::DrillMenuChoice::ChooseSkin, compact });
        QCOMPARE(rig.settings.SkinPath, compact);
        QCOMPARE(rig.store.readString("Options", "SkinPath"), std::optional(compact));
        QCOMPARE(rig.dlg->size(), QSize(634, 320));
        QCOMPARE(rig.input()->geometry(), QRect(145, 224, 485, 22));
        QVERIFY(rig.awaitingAnswer());
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-compact-skin"));

        // F5 reads the skin named by the settings again.
        rig.settings.SkinPath = sourceFile("data/skin/large.ini");
        QTest::keyClick(rig.input(), Qt::Key_F5);
        // 1000 x 500, less the frame, as far as the screen holds it (offscreen: 800 x 600).
        const QSize screen = rig.dlg->screen()->availableGeometry().size();
        QCOMPARE(rig.dlg->size(),
                 QSize(std::min(1000, screen.width()) - 6, std::min(500, screen.height()) - 30));
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-large-skin"));
        QCOMPARE(rig.state(), DrillState::Answering);
    }

    void f7PreviewsTheDrillsQuestions()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        QString previewTitle;
        QTimer::singleShot(0, [&previewTitle] {
            if (auto *preview =
                    qobject_cast<ui::CQuestionListDlg *>(QApplication::activeModalWidget())) {
                previewTitle = preview->windowTitle();
                preview->reject();
            }
        });
        QTest::keyClick(rig.input(), Qt::Key_F7);
        QVERIFY(!previewTitle.isEmpty());
        QCOMPARE(rig.state(), DrillState::Answering);
    }

    void backgroundMenuOffersTheSkins()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        QStringList top;
        QStringList skins;
        whenPopupOpens([&top, &skins](QMenu *menu) {
            top = actionTexts(menu);
            if (auto *change = menu->findChild<QMenu *>(QStringLiteral("changeSkin")))
                skins = actionTexts(change);
            test::saveScreenshot(menu, QStringLiteral("drill-skin-menu"));
            menu->close();
        });
        const QPoint where(400, 180);
        QContextMenuEvent event(QContextMenuEvent::Mouse, where, rig.dlg->mapToGlobal(where));
        QApplication::sendEvent(rig.dlg.get(), &event);
        const QStringList expectedTop { utext("スキンの再読込(&R)\tF5"), utext("スキンの変更(&S)"),
                                        QStringLiteral("-"),
                                        utext("Kvr(Kelvora)のﾊﾞｰｼﾞｮﾝ情報 (&A)...") };
        QCOMPARE(top, expectedTop);
        QCOMPARE(skins.size(), 4);
        for (const char *name : { "標準設定", "コンパクト", "大きな文字" })
            QVERIFY2(skins.contains(utext(name)), name);
        QCOMPARE(skins.last(), utext("ファイル選択... (&C)"));
    }

    void wholeDrillEndsWithReportAndHistory()
    {
        WindowRig rig;
        const std::vector<std::string> lines = { questionLine(sj("りんご"), { "apple" }),
                                                 questionLine(sj("走る"), { "run" }) };
        QString feedbackUnderReport = QStringLiteral("not shown");
        rig.results.onShow = [&rig, &feedbackUnderReport] {
            test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-ended"));
            feedbackUnderReport = rig.labelText("feedback");
        };
        QVERIFY(rig.open(setupOf(lines)));
        QVERIFY(rig.awaitingAnswer());
        rig.typeAndEnter("apple");
        QVERIFY(rig.awaitingAnswer());
        rig.typeAndEnter("walk");
        QVERIFY(rig.awaitingAnswer());
        QCOMPARE(rig.state(), DrillState::Correcting);
        rig.typeAndEnter("run");
        // The re-answer pass, then the final one over the first pass's misses.
        for (const PassKind pass : { PassKind::Retry, PassKind::FinalRetry }) {
            QVERIFY(rig.awaitingAnswer());
            QCOMPARE(rig.view().pass, pass);
            rig.typeAndEnter("run");
        }
        QVERIFY(!rig.awaitingAnswer());
        QCOMPARE(rig.results.reports.size(), std::size_t(1));
        // Under the report the window shows the ended drill, not the last answer's feedback.
        QCOMPARE(feedbackUnderReport, QString());
        QVERIFY(!rig.dlg->isVisible());
        QCOMPARE(rig.dlg->result(), int(QDialog::Accepted));

        const CSectionLog *record =
            findLearnerRecord(rig.log, rig.settings.UserName, "Folder/Words", LogModeIndex(0));
        QVERIFY(record);
        QCOMPARE(record->recentRuns.size(), std::size_t(1));
        QCOMPARE(record->recentRuns.front().correct, 3);
        QCOMPARE(record->recentRuns.front().incorrect, 1);
        QVERIFY(rig.prompter.asked.empty()); // the log was saved
    }

    void runnerReturnsAfterTheWindowClosed()
    {
        // Real timers and the real window, modal: the learner leaves before the first
        // question, the report is closed, and the runner returns.
        RealTimeRig real;
        QStringList seen;
        test::ModalWindowPoll poll([&seen](QWidget *modal, bool fresh) {
            if (!fresh)
                return;
            seen << modal->objectName();
            // Queued: the modal report opened by the key must find this poll free to run.
            QTimer::singleShot(0, modal, [modal] {
                if (modal->objectName() == QLatin1String("drillDlg"))
                    QTest::keyClick(modal, Qt::Key_Escape);
                else if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->accept();
            });
        });
        ui::runDrillWindow(setupOf(words()), real.context, nullptr);
        poll.stop();
        QCOMPARE(seen.size(), 2); // the window, then the result report over it
        QCOMPARE(seen.value(0), QStringLiteral("drillDlg"));
    }
};

QTEST_MAIN(DrillDlgTest)
#include "drilldlg_test.moc"
