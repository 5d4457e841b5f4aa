#include "app/ui/optionpagedialogs.h"

#include <QColorDialog>

namespace kvr::ui {

CQtOptionDialogs::CQtOptionDialogs(QWidget *parent)
    : m_parent(parent)
{
}

std::optional<Rgb> CQtOptionDialogs::askColour(Rgb initial)
{
    const QColor chosen =
        QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return Rgb { static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                 static_cast<std::uint8_t>(chosen.blue()) };
}

} // namespace kvr::ui
