#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "platform/cp932.h"
#include "platform/ui/qtprompter.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using kvr::test::answerNextMessageBox;

Q_DECLARE_METATYPE(kvr::Buttons)
Q_DECLARE_METATYPE(kvr::Reply)
Q_DECLARE_METATYPE(std::optional<kvr::Reply>)

class QtPrompterTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }
    void buttonsAndReplies_data();
    void buttonsAndReplies();
    void iconsMap_data();
    void iconsMap();
    void textAndCaption();
    void ownedByActiveWindow();
    void systemModalHasNoOwnerAndStaysOnTop();
    void shortLinesDoNotWrap();
};

void QtPrompterTest::buttonsAndReplies_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<std::optional<Reply>>("defaultButton");
    QTest::addColumn<QMessageBox::StandardButton>("press");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<Reply>("reply");
    const QStringList ok { "OK" }, okCancel { "OK", "キャンセル" }, yesNo { "はい", "いいえ" },
        yesNoCancel { "はい", "いいえ", "キャンセル" };
    const std::optional<Reply> first;
    QTest::newRow("ok") << Buttons::Ok << first << QMessageBox::Ok << ok << "OK" << Reply::Ok;
    QTest::newRow("ok escape") << Buttons::Ok << first << QMessageBox::Escape << ok << "OK"
                               << Reply::Ok;
    QTest::newRow("ok close") << Buttons::Ok << first << QMessageBox::NoButton << ok << "OK"
                              << Reply::Ok;
    QTest::newRow("ok cancel: ok")
        << Buttons::OkCancel << first << QMessageBox::Ok << okCancel << "OK" << Reply::Ok;
    QTest::newRow("ok cancel: escape")
        << Buttons::OkCancel << first << QMessageBox::Escape << okCancel << "OK" << Reply::Cancel;
    QTest::newRow("ok cancel: default cancel")
        << Buttons::OkCancel << std::optional(Reply::Cancel) << QMessageBox::Cancel << okCancel
        << "キャンセル" << Reply::Cancel;
    QTest::newRow("yes no: yes") << Buttons::YesNo << first << QMessageBox::Yes << yesNo << "はい"
                                 << Reply::Yes;
    QTest::newRow("yes no: escape")
        << Buttons::YesNo << first << QMessageBox::Escape << yesNo << "はい" << Reply::No;
    QTest::newRow("yes no: close") << Buttons::YesNo << std::optional(Reply::No)
                                   << QMessageBox::NoButton << yesNo << "いいえ" << Reply::No;
    QTest::newRow("yes no cancel: no")
        << Buttons::YesNoCancel << first << QMessageBox::No << yesNoCancel << "はい" << Reply::No;
    QTest::newRow("yes no cancel: escape")
        << Buttons::YesNoCancel << std::optional(Reply::No) << QMessageBox::Escape << yesNoCancel
        << "いいえ" << Reply::Cancel;
    QTest::newRow("default not in box: first") << Buttons::YesNo << std::optional(Reply::Cancel)
                                               << QMessageBox::Yes << yesNo << "はい" << Reply::Yes;
}

void QtPrompterTest::buttonsAndReplies()
{
    QFETCH(Buttons, buttons);
    QFETCH(std::optional<Reply>, defaultButton);
    QFETCH(QMessageBox::StandardButton, press);
    QFETCH(Reply, reply);
    CQtPrompter prompter(QStringLiteral("Kvr"));
    Message message { cp932::text("よろしいですか?"), {}, buttons, Icon::Question, defaultButton };
    auto seen = answerNextMessageBox(press);
    QCOMPARE(prompter.ask(message), reply);
    QVERIFY(seen->seen);
    QFETCH(QStringList, texts);
    QStringList sortedSeen = seen->buttonTexts, sortedTexts = texts;
    sortedSeen.sort();
    sortedTexts.sort(); // the platform's button box decides the order on screen
    QCOMPARE(sortedSeen, sortedTexts);
    QTEST(seen->defaultButtonText, "defaultText");
}

void QtPrompterTest::iconsMap_data()
{
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<QMessageBox::Icon>("shown");
    QTest::newRow("none") << Icon::None << QMessageBox::NoIcon;
    QTest::newRow("information") << Icon::Information << QMessageBox::Information;
    QTest::newRow("warning") << Icon::Warning << QMessageBox::Warning;
    QTest::newRow("error") << Icon::Error << QMessageBox::Critical;
    QTest::newRow("question") << Icon::Question << QMessageBox::Question;
}

void QtPrompterTest::iconsMap()
{
    QFETCH(Icon, icon);
    CQtPrompter prompter(QStringLiteral("Kvr"));
    auto seen = answerNextMessageBox(QMessageBox::Ok);
    prompter.tell("x", {}, icon);
    QTEST(seen->icon, "shown");
}

void QtPrompterTest::textAndCaption()
{
    CQtPrompter prompter(QStringLiteral("Kvr"));
    auto seen = answerNextMessageBox(QMessageBox::Ok);
    prompter.tell(cp932::text("問題集を取得できませんでした。(<b>x</b>)"));
    QCOMPARE(seen->title, QStringLiteral("Kvr"));
    QCOMPARE(seen->text, QStringLiteral("問題集を取得できませんでした。(<b>x</b>)"));

    seen = answerNextMessageBox(QMessageBox::Ok);
    prompter.tell("x", cp932::text("表示"));
    QCOMPARE(seen->title, QStringLiteral("表示"));
}

void QtPrompterTest::ownedByActiveWindow()
{
    QWidget window;
    window.setObjectName("owner");
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    CQtPrompter prompter(QStringLiteral("Kvr"));
    auto seen = answerNextMessageBox(QMessageBox::Ok);
    prompter.tell("x");
    QVERIFY(seen->hasParent);
    QVERIFY(!seen->staysOnTop);
}

void QtPrompterTest::systemModalHasNoOwnerAndStaysOnTop()
{
    QWidget window;
    window.setObjectName("owner");
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    CQtPrompter prompter(QStringLiteral("Kvr"));
    auto seen = answerNextMessageBox(QMessageBox::Ok);
    Message message { "x", "Error!", Buttons::Ok, Icon::Error, std::nullopt, true };
    prompter.ask(message);
    QVERIFY(!seen->hasParent);
    QVERIFY(seen->staysOnTop);
    QCOMPARE(seen->modality, Qt::ApplicationModal);
    QCOMPARE(seen->title, QStringLiteral("Error!"));
}

// A line shorter than the box's text limit stays whole: no character on a line of its own.
void QtPrompterTest::shortLinesDoNotWrap()
{
    const QString longest =
        QStringLiteral("まず最初に利用者を登録する必要があります。（履歴の作成時に利用されます）");
    int labelWidth = 0;
    int lineWidth = 0;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        labelWidth = label->width();
        lineWidth = label->fontMetrics().horizontalAdvance(longest);
        kvr::test::saveScreenshot(box, QStringLiteral("messagebox-registration"));
        box->accept();
    });
    CQtPrompter prompter(QStringLiteral("Kelvora"));
    prompter.tell(
        cp932::text("Kelvora をご利用いただきありがとうございます。\n\n"
                    "まず最初に利用者を登録する必要があります。（履歴の作成時に利用されます）\n"
                    "次に表示される画面で、利用者名を入力し、OKボタンを押してください。\n"
                    "（次回からこの画面は表示されません。）"),
        {}, Icon::Information);
    QVERIFY(lineWidth > 0);
    QVERIFY2(labelWidth >= lineWidth,
             qPrintable(QStringLiteral("%1 < %2").arg(labelWidth).arg(lineWidth)));
}

QTEST_MAIN(QtPrompterTest)
#include "qtprompter_test.moc"
