#pragma once

#include <QFont>

namespace kvr::ui {

// Maps the fonts the programs name, "ＭＳ ゴシック" and "ＭＳ 明朝", to installed Japanese
// fonts (IPA, then Noto CJK), so that their texts render. Call once after the application
// object exists.
void installFontSubstitutions();

// The first of faces that is installed, else otherwise.
QString installedFace(const QStringList &faces, const QString &otherwise);

// The two faces at a pixel height: the installed Japanese face itself where there is one.
QFont gothicFont(int pixelSize);
QFont minchoFont(int pixelSize);

} // namespace kvr::ui
