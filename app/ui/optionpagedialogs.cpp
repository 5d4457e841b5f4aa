#include "app/ui/optionpagedialogs.h"

#include <QColorDialog>

#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CQtOptionDialogs::CQtOptionDialogs(QWidget *parent)
    : m_parent(parent)
{
}

std::optional<Rgb> CQtOptionDialogs::askColour(Rgb initial)
{
    const QColor chosen = QColorDialog::getColor(toQColor(initial), m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return toRgb(chosen);
}

} // namespace kvr::ui
