// The boxes the two programs show around their shared files, as CQtPrompter shows them.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/startup.h"
#include "editor/collectionedit.h"
#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtprompter.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;

Q_DECLARE_METATYPE(kvr::Message)
Q_DECLARE_METATYPE(kvr::Reply)

class SharedFileBoxesTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }
    void boxes_data();
    void boxes();
};

void SharedFileBoxesTest::boxes_data()
{
    QTest::addColumn<Message>("message");
    QTest::addColumn<QMessageBox::StandardButton>("press");
    QTest::addColumn<Reply>("reply");
    const std::string log = "/home/u/.local/share/Kelvora/Datas/translog.txt";
    QTest::newRow("damaged_log_question")
        << damagedLogQuestion(7, "translog-damaged-20231114-221320.txt") << QMessageBox::Yes
        << Reply::Yes;
    QTest::newRow("drill_save_failed")
        << errorBox(drillSaveFailedText(log)) << QMessageBox::Ok << Reply::Ok;
    QTest::newRow("unsaved_drills_at_exit")
        << unsavedDrillsQuestion(log) << QMessageBox::No << Reply::No;
    QTest::newRow("database_changed_on_disk")
        << databaseChangedQuestion("/home/u/.local/share/Kelvora/Datas/DBv3.kvr") << QMessageBox::No
        << Reply::No;
}

// Each box shows its whole text and the buttons its reply needs; the reply comes back.
void SharedFileBoxesTest::boxes()
{
    QFETCH(Message, message);
    QFETCH(QMessageBox::StandardButton, press);
    QFETCH(Reply, reply);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const auto seen = kvr::test::answerNextMessageBox(press, QStringLiteral("sharedfile_") + name);
    ui::CQtPrompter prompter(QStringLiteral("Kvr"));
    QCOMPARE(prompter.ask(message), reply);
    QVERIFY(seen->seen);
    QCOMPARE(seen->text, ui::qtext(message.text));
}

QTEST_MAIN(SharedFileBoxesTest)
#include "sharedfileboxes_test.moc"
