#pragma once

#include <QWidget>

#include "history/drillmode.h"
#include "history/rungraph.h"
#include "history/ui/historypages.h"

class QComboBox;
class QGroupBox;
class QPainter;
class QPushButton;
class QSpinBox;

namespace kvr::ui {

// The statistics page "通常学習": the learner's totals for the selected collection and
// mode, the recent runs with their graph, the erase buttons, and a drill start with its own
// mode and count. The main window's refresh drives it; it paints statisticsPaint.
class CLoginfoPage final : public QWidget
{
    Q_OBJECT
public:
    explicit CLoginfoPage(HistoryPageContext &context, QWidget *parent = nullptr);

    // The tree's selection: the drill controls are disabled for a folder.
    void setSelection(const PageSelection &selection);
    // The recent runs of the learner's record, the newest selected; the list and the erase
    // buttons are shown only when there is a run.
    void reloadRunList();
    // The count field's range and value.
    void setCountRange(int minimum, int maximum, int initial);
    // The mode list shows a LogMode value (nothing for a value outside 0-4) or a mode.
    void showLogMode(int logMode);
    void showDrillMode(DrillMode mode);
    // The mode the list shows.
    DrillMode listedMode() const;

    // "覚える(&T)".
    void learn();

    // Installed on the main window: Alt+T is this page's "覚える(&T)" while the button shows,
    // not the window's menu "ツール(&T)", so that one press acts (two owners of one mnemonic
    // would each wait for the other).
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The learner chose a mode in the list: its LogMode value.
    void logModeChosen(int logMode);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeControls();
    void eraseAll();
    void eraseRun();
    void afterLogChange();
    void paintGraph(QPainter &painter, const RunGraph &graph);

    HistoryPageContext &m_context;
    PageSelection m_selection;
    QComboBox *m_runList;
    QPushButton *m_eraseAll;
    QPushButton *m_eraseRun;
    QGroupBox *m_drillGroup;
    QComboBox *m_modeList;
    QSpinBox *m_count;
    QPushButton *m_all;
    QPushButton *m_learn;
};

} // namespace kvr::ui
