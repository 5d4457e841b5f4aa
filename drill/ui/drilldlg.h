#pragma once

#include <QDialog>

#include "drill/drillsession.h"
#include "drill/skin.h"
#include "drill/ui/drillwidgets.h"

class QKeyEvent;

namespace kvr {
class CDrillSession;
struct CSection;
} // namespace kvr

namespace kvr::ui {

struct DrillWindowContext;
struct DrillMenuChoice;

// The drill window: renders the session's view after every event it forwards and every
// timer, and closes when the view says so. It decides nothing about the drill itself.
class CDrillDlg final : public QDialog
{
    Q_OBJECT
public:
    // section: the drill's copy of its collection (for the question preview, F7).
    CDrillDlg(CDrillSession &session, DrillWindowContext &context, const CSection &section,
              QWidget *parent = nullptr);
    ~CDrillDlg() override;

    // A timer of the session expired (the timer host calls this).
    void timerFired(int id);
    // Shows the session's view on the window.
    void render();

    // The menu on the window's background, and what its entries do.
    void runMenuChoice(const DrillMenuChoice &choice);
    void reloadSkin();
    const CSkin &skin() const { return m_skin; }

public slots:
    void reject() override; // Escape, the window's close button: cancel the drill

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    template <typename Event> void forward(Event event);
    void connectControls();
    void layOut();
    bool handleKey(QKeyEvent *event); // true when the key was used up
    void openLastQuestionMenu(const QPoint &globalPos);
    void openSkinMenu(const QPoint &globalPos); // from the menu button or a right click
    void openQuestionPreview();
    void chooseSkinFile();
    void applySkin(const std::string &path);
    void renderCaption(const DrillView &view);
    void renderFocus(const DrillView &view);

    CDrillSession &m_session;
    DrillWindowContext &m_context;
    const CSection &m_section;
    CSkin m_skin;
    DrillWidgets m_widgets;
    DrillView m_shown;
    bool m_rendered = false;
    bool m_flashOn = false;
};

// The session's result presenter while its window is made after it: brings the window up to
// date (the drill has just ended, the pass list shows "終了") and hands the report to the
// presenter attached with the window.
class CDrillReportRelay final : public IResultPresenter
{
public:
    void attach(CDrillDlg *window, IResultPresenter *presenter);
    ReportAction showResultReport(const ResultReport &report) override;

private:
    CDrillDlg *m_window = nullptr;
    IResultPresenter *m_presenter = nullptr;
};

// The session's view of a key press (code and modifiers).
DrillKey drillKeyOf(const QKeyEvent &event);

} // namespace kvr::ui
