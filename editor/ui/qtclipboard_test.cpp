#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "editor/ui/qtclipboard.h"
#include "platform/cp932.h"
#include "platform/ui/qtext.h"

using namespace kvr;
using namespace kvr::ui;

class QtClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    // A copied row reaches other programs as text, and their text comes back as CP932.
    void rowsGoThroughTheSystemClipboard()
    {
        CQtClipboard clipboard;
        const std::string line = "?go,,,,," + cp932::text("行く") + ",,,";
        clipboard.setText(line);
        QCOMPARE(QGuiApplication::clipboard()->text(), utext("?go,,,,,行く,,,"));
        QVERIFY(clipboard.hasText());
        QCOMPARE(clipboard.text(), std::optional<std::string>(line));

        QGuiApplication::clipboard()->setText(QString::fromUtf8("caf\u00e9 \xF0\x9F\x98\x80"));
        QVERIFY(clipboard.hasText());
        QCOMPARE(clipboard.text(), std::optional<std::string>()); // never stored as "?"

        QGuiApplication::clipboard()->clear();
        QVERIFY(!clipboard.hasText());
    }
};

QTEST_MAIN(QtClipboardTest)
#include "qtclipboard_test.moc"
