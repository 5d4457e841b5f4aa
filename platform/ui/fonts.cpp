#include "platform/ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr std::string_view kGothic = "ＭＳ ゴシック";
constexpr std::string_view kMincho = "ＭＳ 明朝";

const QStringList &gothicFaces()
{
    static const QStringList faces { QStringLiteral("IPAGothic"),
                                     QStringLiteral("Noto Sans CJK JP") };
    return faces;
}

const QStringList &minchoFaces()
{
    static const QStringList faces { QStringLiteral("IPAMincho"),
                                     QStringLiteral("Noto Serif CJK JP") };
    return faces;
}

} // namespace

// One family only: Qt has fontconfig sort every installed font for each font with families to
// fall back on (a millisecond and more for each face, style and script), while a single face's
// fallbacks are looked up only for a character it lacks.
QString installedFace(const QStringList &faces, const QString &otherwise)
{
    for (const QString &face : faces) {
        if (QFontDatabase::hasFamily(face))
            return face;
    }
    return otherwise;
}

void installFontSubstitutions()
{
    // fontconfig would map these names to a Latin face; name the Japanese ones explicitly.
    QFont::insertSubstitutions(utext(kGothic), gothicFaces());
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothicFaces());
    QFont::insertSubstitutions(utext(kMincho), minchoFaces());
    QFont::insertSubstitutions(QStringLiteral("MS Mincho"), minchoFaces());
}

QFont gothicFont(int pixelSize)
{
    static const QString face = installedFace(gothicFaces(), utext(kGothic));
    QFont font(face);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    return font;
}

QFont minchoFont(int pixelSize)
{
    static const QString face = installedFace(minchoFaces(), utext(kMincho));
    QFont font(face);
    font.setStyleHint(QFont::Serif);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    return font;
}

} // namespace kvr::ui
