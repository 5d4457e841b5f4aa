#pragma once

#include "drill/drillsetup.h"

class QWidget;

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// The starter's set-up dialogs as real windows: COrderDlg and CCountDlg over parent.
class CQtDrillStartPrompter final : public IDrillStartPrompter
{
public:
    CQtDrillStartPrompter(QWidget *parent, IPrompter &prompter)
        : m_parent(parent)
        , m_prompter(prompter)
    {
    }

    std::optional<bool> askOrder() override;
    std::optional<int> askCount(int questionCount, int initialValue) override;

private:
    QWidget *m_parent;
    IPrompter &m_prompter;
};

} // namespace kvr::ui
