// Drill starts from the main window: the mode commands, a double-click, the repeat commands
// and the history pages' starts. The session runs them; the window supplies the dialogs and
// the drill window.
#include "app/kvrsettings.h"
#include "app/ui/databasetreewidget.h"
#include "app/ui/maindlg.h"
#include "db/questiondatabase.h"
#include "drill/drillstarter.h"
#include "drill/ui/drillrunner.h"
#include "drill/ui/drillstartprompter.h"
#include "drill/ui/transmodedlg.h"
#include "history/ui/loginfopage.h"
#include "platform/ui/guarded.h"

namespace kvr::ui {

namespace {

// The drill window runs with the main window minimised, which comes back afterwards.
class CMinimisingDrillRunner final : public IDrillRunner
{
public:
    CMinimisingDrillRunner(QWidget &window, IDrillRunner &runner)
        : m_window(window)
        , m_runner(runner)
    {
    }
    void runDrill(const DrillSetup &setup) override
    {
        const bool wasMinimized = m_window.isMinimized();
        m_window.showMinimized();
        try {
            m_runner.runDrill(setup);
        } catch (...) {
            restore(wasMinimized);
            throw;
        }
        restore(wasMinimized);
    }

private:
    void restore(bool wasMinimized)
    {
        if (!wasMinimized)
            m_window.showNormal();
        m_window.activateWindow();
    }

    QWidget &m_window;
    IDrillRunner &m_runner;
};

} // namespace

void CMainDlg::fillDefaultDrillServices()
{
    if (!m_services.modeChooser) {
        m_ownedModeChooser = std::make_unique<CQtModeChooser>(this);
        m_services.modeChooser = m_ownedModeChooser.get();
    }
    if (!m_services.startPrompter) {
        m_ownedStartPrompter = std::make_unique<CQtDrillStartPrompter>(this, m_context.prompter);
        m_services.startPrompter = m_ownedStartPrompter.get();
    }
    if (!m_services.drillRunner) {
        // The drill window stands on its own: a window manager may hide the dialogs of a
        // minimised window along with it.
        m_ownedDrillRunner = std::make_unique<CQtDrillRunner>(DrillWindowContext {
            m_context.settings, m_context.store, m_context.log, m_context.database, m_context.voice,
            m_context.prompter, m_context.fileDialogs, m_context.clock });
        m_services.drillRunner = m_ownedDrillRunner.get();
    }
    m_minimisingRunner = std::make_unique<CMinimisingDrillRunner>(*this, *m_services.drillRunner);
}

void CMainDlg::startFromTree(std::optional<DrillMode> mode)
{
    forward([this, mode] { m_session->startFromTree(mode); });
}

void CMainDlg::startDrill(const WindowDrillRequest &request)
{
    forward([this, &request] { m_session->startDrill(request); });
}

void CMainDlg::repeatLastDrill()
{
    const DrillMode mode = m_loginfoPage->listedMode();
    forward([this, mode] { m_session->repeatLastDrill(mode); });
}

void CMainDlg::repeatLastMissed()
{
    const DrillMode mode = m_loginfoPage->listedMode();
    forward([this, mode] { m_session->repeatLastMissed(mode); });
}

} // namespace kvr::ui
