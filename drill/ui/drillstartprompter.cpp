#include "drill/ui/drillstartprompter.h"

#include "drill/ui/countdlg.h"
#include "drill/ui/orderdlg.h"

namespace kvr::ui {

std::optional<bool> CQtDrillStartPrompter::askOrder()
{
    return COrderDlg::ask(m_parent);
}

std::optional<int> CQtDrillStartPrompter::askCount(int questionCount, int initialValue)
{
    return CCountDlg::ask(m_parent, questionCount, initialValue, m_prompter);
}

} // namespace kvr::ui
