#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "drill/drillsetup.h"
#include "drill/resultreport.h"
#include "drill/ui/countdlg.h"
#include "drill/ui/drillstartprompter.h"
#include "drill/ui/orderdlg.h"
#include "drill/ui/resultdlg.h"
#include "drill/ui/transmodedlg.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/testsupport_prompter.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

// The modal dialog a call opened, expected to be a Dialog; anything else is closed so the
// test fails instead of hanging.
template <typename Dialog> Dialog *modalDialog()
{
    QWidget *widget = QApplication::activeModalWidget();
    if (auto *dialog = qobject_cast<Dialog *>(widget))
        return dialog;
    if (auto *other = qobject_cast<QDialog *>(widget))
        other->reject();
    return nullptr;
}

template <typename Dialog> void showAndWait(Dialog &dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

} // namespace

class DrillDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void orderDialogConfirmsTheSelectedRowOnly()
    {
        COrderDlg dialog;
        showAndWait(dialog);
        saveScreenshot(&dialog, "orderdlg");
        auto *items = child<QListWidget>(&dialog, "items");
        QCOMPARE(items->currentRow(), 1);

        items->clearSelection();
        QTest::keyClick(items, Qt::Key_Return);
        QVERIFY(dialog.isVisible());

        items->setCurrentRow(0);
        QTest::keyClick(items, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.sequential());
    }

    void orderDialogDoubleClickAndEscape()
    {
        COrderDlg dialog;
        showAndWait(dialog);
        auto *items = child<QListWidget>(&dialog, "items");
        const QRect random = items->visualItemRect(items->item(1));
        // An item view takes a double-click only on the item the preceding press was on.
        QTest::mousePress(items->viewport(), Qt::LeftButton, {}, random.center());
        QTest::mouseDClick(items->viewport(), Qt::LeftButton, {}, random.center());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.sequential());

        COrderDlg cancelled;
        showAndWait(cancelled);
        QTest::keyClick(child<QListWidget>(&cancelled, "items"), Qt::Key_Escape);
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    }

    void countDialogButtons()
    {
        CScriptedPrompter prompter;
        CCountDlg dialog(12, 12, prompter);
        showAndWait(dialog);
        saveScreenshot(&dialog, "countdlg");
        auto *field = child<QSpinBox>(&dialog, "count");
        QCOMPARE(field->maximum(), 12);
        QCOMPARE(field->value(), 12);
        QCOMPARE(child<QLabel>(&dialog, "range")->text(), utext("(1～12)"));

        field->setValue(0);
        click(&dialog, "ok");
        QCOMPARE(
            prompter.texts(),
            std::vector<std::string> { cp932::text("1 から 1000 までの整数を入力してください。") });
        QVERIFY(dialog.isVisible());

        field->setValue(7);
        click(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.count(), 7);

        CCountDlg all(12, 5, prompter);
        showAndWait(all);
        click(&all, "all");
        QCOMPARE(all.result(), int(QDialog::Accepted));
        QCOMPARE(all.count(), kCountDlgAll);
    }

    void modeButtonsGiveTheirModeChoiceNumbers()
    {
        const std::pair<const char *, int> buttons[] = {
            { "japaneseToEnglishTyped", 0 },  { "speedReply", 1 },
            { "japaneseToEnglishChoice", 4 }, { "englishToJapaneseTyped", 3 },
            { "englishToJapaneseChoice", 2 },
        };
        for (const auto &[name, mode] : buttons) {
            CTransModeDlg dialog;
            showAndWait(dialog);
            if (mode == 0)
                saveScreenshot(&dialog, "transmodedlg");
            click(&dialog, name);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.mode(), mode);
        }
    }

    void chooseModeIsEmptyWhenCancelled()
    {
        QTimer::singleShot(0, [] {
            auto *dialog = modalDialog<CTransModeDlg>();
            QVERIFY(dialog);
            click(dialog, "cancel");
        });
        QCOMPARE(CQtModeChooser(nullptr).chooseMode(), std::optional<int>());
    }

    void resultDialogShowsTheReport()
    {
        const ResultReport report = buildResultReport(18, 2, 83400, 120);
        CResultDlg dialog(report, rgbFromColorRef(16765088));
        showAndWait(dialog);
        saveScreenshot(&dialog, "resultdlg");
        QCOMPARE(dialog.windowTitle(), utext("解答結果！"));
        QCOMPARE(child<QLabel>(&dialog, "comment")->text(), qtext(report.comment));
        QCOMPARE(child<QLabel>(&dialog, "value0")->text(), qtext(report.rows[0].value));
        QCOMPARE(child<QLabel>(&dialog, "label6")->text(), qtext(report.rows[6].label));
        QVERIFY(!child<QPushButton>(&dialog, "retryMissed")->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.action(), ReportAction::Close);
    }

    void resultDialogStartsTheMissedQuestionsAgain()
    {
        ResultReport report = buildResultReport(3, 2, 9000, 30);
        report.retryMissedEnabled = true;
        QTimer::singleShot(0, [] {
            auto *dialog = modalDialog<CResultDlg>();
            QVERIFY(dialog);
            auto *retry = child<QPushButton>(dialog, "retryMissed");
            QCOMPARE(retry->text(), utext("間違えた問題だけもう一度"));
            QVERIFY(retry->isEnabled());
            QVERIFY(child<QPushButton>(dialog, "ok")->isDefault());
            saveScreenshot(dialog, "resultdlg-retry-missed");
            click(dialog, "retryMissed");
        });
        CQtResultPresenter presenter(nullptr, rgbFromColorRef(16765088));
        QCOMPARE(presenter.showResultReport(report), ReportAction::RetryMissed);
        QTimer::singleShot(0, [] {
            auto *dialog = modalDialog<CResultDlg>();
            QVERIFY(dialog);
            QTest::keyClick(dialog, Qt::Key_Return); // Enter is still "OK"
        });
        QCOMPARE(presenter.showResultReport(report), ReportAction::Close);
    }

    void startPrompterShowsTheOrderDialog()
    {
        CScriptedPrompter prompter;
        CQtDrillStartPrompter starter(nullptr, prompter);
        QTimer::singleShot(0, [] {
            auto *dialog = modalDialog<COrderDlg>();
            QVERIFY(dialog);
            child<QListWidget>(dialog, "items")->setCurrentRow(0);
            QTest::keyClick(child<QListWidget>(dialog, "items"), Qt::Key_Return);
        });
        QCOMPARE(starter.askOrder(), std::optional<bool>(true));
        QTimer::singleShot(0, [] {
            auto *dialog = modalDialog<CCountDlg>();
            QVERIFY(dialog);
            click(dialog, "all");
        });
        QCOMPARE(starter.askCount(30, 20), std::optional<int>(kCountDlgAll));
    }
};

QTEST_MAIN(DrillDialogsTest)
#include "drilldialogs_test.moc"
