#include <QTest>

#include "platform/cp932.h"
#include "platform/ui/qtext.h"

using namespace kvr;
using namespace kvr::ui;

class QtextTest : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void badBytesShowAsReplacement();
    void exactRefusesWhatCp932CannotHold_data();
    void exactRefusesWhatCp932CannotHold();
};

void QtextTest::roundTrip_data()
{
    QTest::addColumn<QByteArray>("cp932");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Kelvora 1.0") << QStringLiteral("Kelvora 1.0");
    QTest::newRow("empty") << QByteArray() << QString();
    // 表 has the trail byte 5C, ー the trail byte 5B.
    QTest::newRow("trail bytes") << QByteArray("\x95\x5c\x81\x5b") << QStringLiteral("表ー");
    QTest::newRow("backslash stays") << QByteArray("C:\\a") << QStringLiteral("C:\\a");
    QTest::newRow("wave dash") << QByteArray("\x81\x60") << QStringLiteral("\uFF5E");
    QTest::newRow("nec row 13") << QByteArray("\x87\x40") << QStringLiteral("①");
    QTest::newRow("half-width kana") << QByteArray("\xc3\xbd\xc4") << QStringLiteral("ﾃｽﾄ");
}

void QtextTest::roundTrip()
{
    QFETCH(QByteArray, cp932);
    QFETCH(QString, text);
    const std::string bytes(cp932.constData(), static_cast<std::size_t>(cp932.size()));
    QCOMPARE(qtext(bytes), text);
    QCOMPARE(kvr::ui::cp932(text), bytes);
    QCOMPARE(cp932Exact(text), std::optional<std::string>(bytes));
}

void QtextTest::badBytesShowAsReplacement()
{
    // A lone lead byte at the end, and a lead byte followed by a byte that cannot trail.
    QCOMPARE(qtext("A\x82"), QStringLiteral("A\uFFFD"));
    QVERIFY(qtext("\x82\x0a"
                  "B")
                .contains(QChar(0xFFFD)));
    QVERIFY(qtext("\x82\x0a"
                  "B")
                .endsWith(QLatin1Char('B')));
}

void QtextTest::exactRefusesWhatCp932CannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("holds");
    QTest::newRow("emoji") << QStringLiteral("a😀") << false;
    QTest::newRow("accent") << QStringLiteral("café") << false;
    QTest::newRow("hangul") << QStringLiteral("한") << false;
    QTest::newRow("ibm roman numeral") << QStringLiteral("ⅰ") << true;
    QTest::newRow("kanji") << QStringLiteral("問題集") << true;
}

void QtextTest::exactRefusesWhatCp932CannotHold()
{
    QFETCH(QString, text);
    QFETCH(bool, holds);
    QCOMPARE(cp932Exact(text).has_value(), holds);
    // The lenient conversion keeps the rest and marks what is lost with "?".
    const std::string lenient = kvr::ui::cp932(text);
    QCOMPARE(lenient.find('?') != std::string::npos, !holds);
}

QTEST_GUILESS_MAIN(QtextTest)
#include "qtext_test.moc"
