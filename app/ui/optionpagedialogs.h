#pragma once

#include "app/optionssheet.h"

class QWidget;

namespace kvr::ui {

// The colour dialog of the options sheet.
class CQtOptionDialogs final : public IOptionsChooser
{
public:
    explicit CQtOptionDialogs(QWidget *parent);

    std::optional<Rgb> askColour(Rgb initial) override;

private:
    QWidget *m_parent;
};

} // namespace kvr::ui
