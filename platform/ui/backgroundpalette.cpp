#include "platform/ui/backgroundpalette.h"

#include <QWidget>

namespace kvr::ui {

namespace {

QColor qcolour(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

void applyBackgroundColour(QWidget &window, Rgb background)
{
    const TextColours text = textColoursOn(background);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, qcolour(background));
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
        palette.setColor(group, QPalette::WindowText, qcolour(text.text));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, qcolour(text.disabled));
    window.setPalette(palette);
}

} // namespace kvr::ui
