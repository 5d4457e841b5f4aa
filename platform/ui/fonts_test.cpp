#include <QFontInfo>
#include <QTest>

#include "platform/ui/fonts.h"

using namespace kvr::ui;

class FontsTest : public QObject
{
    Q_OBJECT
private slots:
    void namedFacesResolveToJapaneseFonts();
};

void FontsTest::namedFacesResolveToJapaneseFonts()
{
    installFontSubstitutions();
    QVERIFY(QFont::substitutes(QStringLiteral("ＭＳ ゴシック"))
                .contains("IPAGothic", Qt::CaseInsensitive));
    QVERIFY(
        QFont::substitutes(QStringLiteral("MS Mincho")).contains("IPAMincho", Qt::CaseInsensitive));
    // With the IPA fonts installed (install-deps.sh), the faces are really used.
    const QString gothic = QFontInfo(gothicFont(16)).family();
    const QString mincho = QFontInfo(minchoFont(16)).family();
    QVERIFY2(gothic.startsWith("IPA") || gothic.startsWith("Noto"), qPrintable(gothic));
    QVERIFY2(mincho.startsWith("IPA") || mincho.startsWith("Noto"), qPrintable(mincho));
    QCOMPARE(gothicFont(16).pixelSize(), 16);
}

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
