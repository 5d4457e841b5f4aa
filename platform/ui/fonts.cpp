#include "platform/ui/fonts.h"

#include <QStringList>

#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr std::string_view kGothic = "ＭＳ ゴシック";
constexpr std::string_view kMincho = "ＭＳ 明朝";

} // namespace

void installFontSubstitutions()
{
    // fontconfig would map these names to a Latin face; name the Japanese ones explicitly.
    const QStringList gothic { QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP") };
    const QStringList mincho { QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP") };
    QFont::insertSubstitutions(utext(kGothic), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
    QFont::insertSubstitutions(utext(kMincho), mincho);
    QFont::insertSubstitutions(QStringLiteral("MS Mincho"), mincho);
}

QFont gothicFont(int pixelSize)
{
    QFont font(utext(kGothic));
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    return font;
}

QFont minchoFont(int pixelSize)
{
    QFont font(utext(kMincho));
    font.setStyleHint(QFont::Serif);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    return font;
}

} // namespace kvr::ui
