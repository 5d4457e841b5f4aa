#pragma once

#include <QWidget>

#include "history/journalsummary.h"
#include "history/studychart.h"
#include "history/ui/historypages.h"

namespace kvr {
class IClock;
}

namespace kvr::ui {

// The page "学習記録": the learner's answers per day over the last 30 days for the tree's
// selection, from the answer journal beside the log. The journal is read again only when it
// changed; a selection only filters what was read. It paints studyChart.
class CStudyChartPage final : public QWidget
{
    Q_OBJECT
public:
    CStudyChartPage(HistoryPageContext &context, const IClock &clock, QWidget *parent = nullptr);

    // The tree's selection (a folder: everything below it); repaints.
    void setSelection(const PageSelection &selection);
    // What the page paints now: for tests and the page itself.
    StudyChart chart();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    HistoryPageContext &m_context;
    const IClock &m_clock;
    PageSelection m_selection;
    CJournalCache m_journal;
};

} // namespace kvr::ui
