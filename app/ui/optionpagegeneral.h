#pragma once

#include "app/ui/optionpage.h"

namespace kvr::ui {

// "全般": the default question count, the order dialog and the background colour.
class COptionpageGeneral final : public COptionPage
{
    Q_OBJECT
public:
    explicit COptionpageGeneral(QWidget *parent = nullptr);
    void collect(OptionsCopy &copy) const override;

protected:
    void load(const OptionsCopy &copy, const OptionsEnabling &enabling) override;

private:
    CRangeSpinBox *m_defaultQuestions;
    QCheckBox *m_hideOrderDialog;
    QRadioButton *m_sequentialOrder;
    QRadioButton *m_randomOrder;
    QCheckBox *m_hideCountDialog;
};

} // namespace kvr::ui
