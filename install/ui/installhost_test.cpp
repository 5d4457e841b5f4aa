// The host over the real module: the boxes the learner sees at a removal, answered by
// clicking, with a screenshot of each.
#include <filesystem>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "install/ui/installhost.h"
#include "platform/testsupport.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtprompter.h"
#include "platform/ui/testsupport_widgets.h"

namespace kvr::ui {

namespace {

struct SeenBox
{
    QString title;
    QString text;
    QString defaultButton;
};

// Answers the boxes as they come, one button each, saving each box as a screenshot.
class CBoxClicker
{
public:
    CBoxClicker(QList<QMessageBox::StandardButton> buttons, QStringList shots)
        : m_buttons(std::move(buttons))
        , m_shots(std::move(shots))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(20);
    }
    QList<SeenBox> seen;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_last || m_buttons.isEmpty())
            return;
        m_last = box;
        QPushButton *defaultButton = box->defaultButton();
        seen.append(
            { box->windowTitle(), box->text(), defaultButton ? defaultButton->text() : QString() });
        if (!m_shots.isEmpty())
            test::saveScreenshot(box, m_shots.takeFirst());
        QAbstractButton *button = box->button(m_buttons.takeFirst());
        QVERIFY(button);
        button->click();
    }

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_buttons;
    QStringList m_shots;
    QMessageBox *m_last = nullptr;
};

} // namespace

class InstallHostTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { test::expectNoTopLevelWindows(); }

    void uninstallAsksDeletesAndStops()
    {
        TempFolder folder;
        folder.put("Datas/DBv3.kvr", "db");
        folder.put("Datas/translog.txt", "log");
        CQtPrompter prompter { QString() };
        CBoxClicker clicker(
            { QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Cancel },
            { "install-delete-db", "install-delete-ok", "install-deleted", "install-delete-log" });
        const InstallHostResult result =
            runInstallAction(KVR_INSTALL_MODULE, "Uninstall", folder.path() + "/", prompter);
        QVERIFY(result.loaded);
        QCOMPARE(result.actionResult, 1602u);
        QCOMPARE(result.errors.size(), std::size_t(1));
        QVERIFY(!std::filesystem::exists(folder / "Datas/DBv3.kvr"));
        QVERIFY(std::filesystem::exists(folder / "Datas/translog.txt"));

        QCOMPARE(clicker.seen.size(), 4);
        QCOMPARE(clicker.seen[0].title, QStringLiteral("delete DB?"));
        QVERIFY(clicker.seen[0].text.startsWith(
            QStringLiteral("問題集データベース(DB)を削除しますか？")));
        QCOMPARE(clicker.seen[1].title, QStringLiteral("delete ok?"));
        QVERIFY(clicker.seen[1].text.startsWith(QStringLiteral("問題集DBファイル ")));
        QCOMPARE(clicker.seen[2].text, QStringLiteral("削除しました。"));
        QCOMPARE(clicker.seen[3].title, QStringLiteral("delete log?"));
        for (int i : { 0, 1, 3 })
            QVERIFY2(clicker.seen[i].defaultButton.startsWith(QStringLiteral("いいえ")),
                     qPrintable(clicker.seen[i].defaultButton));
    }

    void missingModuleIsNotLoaded()
    {
        CQtPrompter prompter { QString() };
        QVERIFY(!runInstallAction("/nonexistent/libKvrInstall.so", "Commit", "/", prompter).loaded);
        QVERIFY(!runInstallAction(KVR_INSTALL_MODULE, "DllMain", "/", prompter).loaded);
    }
};

} // namespace kvr::ui

QTEST_MAIN(kvr::ui::InstallHostTest)
#include "installhost_test.moc"
