#pragma once

#include <QWidget>

#include "history/ui/historypages.h"

namespace kvr::ui {

// The progress page "進行状況": where the learner stands in the random series of the
// selected collection and mode. It has no controls; it paints progressView.
class CTransinfoPage final : public QWidget
{
    Q_OBJECT
public:
    explicit CTransinfoPage(HistoryPageContext &context, QWidget *parent = nullptr);

    void setSelection(const PageSelection &selection);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    HistoryPageContext &m_context;
    PageSelection m_selection;
};

} // namespace kvr::ui
