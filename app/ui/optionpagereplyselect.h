#pragma once

#include <array>

#include "app/ui/optionpage.h"

namespace kvr::ui {

// "４択モード": the two time limits of each four-choice mode.
class COptionpageReplySelect final : public COptionPage
{
    Q_OBJECT
public:
    explicit COptionpageReplySelect(QWidget *parent = nullptr);
    void collect(OptionsCopy &copy) const override;

protected:
    void load(const OptionsCopy &copy, const OptionsEnabling &enabling) override;

private:
    struct Limit
    {
        bool OptionsCopy::*use;
        int OptionsCopy::*value;
        bool OptionsEnabling::*enabled;
        QCheckBox *check = nullptr;
        CRangeSpinBox *number = nullptr;
        QLabel *unit = nullptr;
    };
    std::array<Limit, 4> m_limits; // 英和: show, reply; 和英: show, reply
};

} // namespace kvr::ui
