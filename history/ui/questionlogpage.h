#pragma once

#include <optional>
#include <vector>

#include <QWidget>

#include "drill/questionselection.h"
#include "history/questionrows.h"
#include "history/ratebasis.h"
#include "history/ui/historypages.h"

class QButtonGroup;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace kvr::ui {

class CQuestionLogModel;

// The per-question page "問題毎履歴": one row per line of the selected collection with the
// learner's counts, tick marks set by hand or by the tick commands, a drill of the ticked
// questions, and the popup with pronunciation, web look-up, history deletion and count
// corrections. It renders the core's rows and forwards every command to the core.
class CQuestionlogPage final : public QWidget
{
    Q_OBJECT
public:
    explicit CQuestionlogPage(HistoryPageContext &context, QWidget *parent = nullptr);
    ~CQuestionlogPage() override;

    void setSelection(const PageSelection &selection);
    // Empties the list.
    void clear();
    // The rows of the selected collection (nothing for a folder), all ticks cleared.
    void fill();

    // Clicking a column heading.
    void sortByColumn(int column);
    // The tick commands of the buttons and the popups "CheckSelect" and "SelectWorst".
    void runCheck(CheckCommand command);
    // "選択した問題を覚える".
    void learnTicked();
    // The popup "QuestionLogPopup" at a global position; nothing when no row is selected or
    // the first selected line is empty.
    void openPopup(const QPoint &globalPos);

    CQuestionLogModel *model() const { return m_model; }
    QMenu *popup() const { return m_popup; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *createRateGroup();
    void createMenus();
    QMenu *createCorrectionMenu(const char *name, const char *title, TallySideKind side);
    void placeControls();
    void fitColumns(); // the list's width over the columns, each as wide as its texts
    void showRateBasis();
    void rateBasisChosen(int basis);
    void userToggled(int position, bool checked);
    void showCountUpdate(std::optional<int> count);
    void rebuildWebMenu(const CQuestion &question);
    void pronounceTicked();
    void deleteTickedHistory();
    void correctSelected(TallySideKind side, int value);
    std::vector<int> selectedPositions() const;
    std::optional<int> firstSelectedRow() const;
    std::vector<int> tickedPositions() const;
    RateBasis basis() const;

    HistoryPageContext &m_context;
    PageSelection m_selection;
    CColumnSortOrder m_sortOrder;
    CQuestionLogModel *m_model;
    QTableView *m_view;
    QPushButton *m_checkSelect;
    QLineEdit *m_countField;
    QPushButton *m_selectWorst;
    QPushButton *m_lastMissed;
    QWidget *m_rateGroup = nullptr;
    QButtonGroup *m_rateRadios = nullptr;
    QPushButton *m_learnTicked;
    QMenu *m_checkMenu = nullptr;
    QMenu *m_worstMenu = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_pronounce = nullptr;
    QMenu *m_webMenu = nullptr;
    CQuestion m_lookedUp; // the first selected question when the popup opened
};

} // namespace kvr::ui
