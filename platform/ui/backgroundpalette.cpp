#include "platform/ui/backgroundpalette.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QTabWidget>
#include <QWidget>

#include "platform/ui/qcolour.h"

namespace kvr::ui {

void applyBackgroundColour(QWidget &window, Rgb background)
{
    const TextColours text = textColoursOn(background);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, toQColor(background));
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
        palette.setColor(group, QPalette::WindowText, toQColor(text.text));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(text.disabled));
    window.setPalette(palette);
    // Their tabs, pages and arrow buttons are drawn on the style's own light surfaces.
    for (QTabWidget *tabs : window.findChildren<QTabWidget *>())
        keepSystemColours(*tabs);
    for (QAbstractSpinBox *box : window.findChildren<QAbstractSpinBox *>())
        keepSystemColours(*box);
}

void keepSystemColours(QWidget &part)
{
    const QPalette system = QApplication::palette();
    QPalette palette = part.palette();
    for (const QPalette::ColorGroup group :
         { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        // Set one by one, so they count as the part's own and are not inherited.
        for (const QPalette::ColorRole role : { QPalette::Window, QPalette::WindowText })
            palette.setColor(group, role, system.color(group, role));
    }
    part.setPalette(palette);
}

} // namespace kvr::ui
