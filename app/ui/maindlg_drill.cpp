// Drill starts from the main window: the mode commands, a double-click and the repeat
// commands. The starter decides; the window shows the dialogs and runs the drill.
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
        m_ownedDrillRunner = std::make_unique<CQtDrillRunner>(DrillWindowContext {
            m_context.settings, m_context.store, m_context.log, m_context.database, m_context.voice,
            m_context.prompter, m_context.fileDialogs, m_context.clock });
        m_services.drillRunner = m_ownedDrillRunner.get();
    }
}

// Runs one prepared start: the starter's call is guarded, the drill runs with this window
// minimised, and the marker goes with the launch object at the end.
template <typename Start> void CMainDlg::launch(Start &&start)
{
    DrillStartContext starter {
        m_context.database.root, m_context.log,
        m_context.settings,      m_context.prompter,
        m_context.clock,         inUseMarkerBeside(m_context.settings.DatabaseFilename)
    };
    DrillStartDialogs dialogs { *m_services.modeChooser, *m_services.startPrompter };
    std::optional<CDrillLaunch> drill;
    guarded(m_context.prompter, [&] { drill = start(starter, dialogs); });
    if (!drill) {
        refresh(); // a mode chosen before a cancelled dialog is already in LogMode
        return;
    }
    const bool wasMinimized = isMinimized();
    showMinimized();
    // The drill window stands on its own: a window manager may hide the dialogs of a
    // minimised window along with it.
    guarded(m_context.prompter, [&] { m_services.drillRunner->runDrill(drill->setup()); });
    refresh();
    m_loginfoPage->showDrillMode(drill->mode());
    if (!wasMinimized)
        showNormal();
    activateWindow();
}

void CMainDlg::startFromTree(std::optional<DrillMode> mode)
{
    const TreeIndexPath chain = m_tree->currentChain();
    if (chain.empty())
        return;
    const int pending = mode ? static_cast<int>(*mode) : -1;
    launch([&](DrillStartContext &starter, DrillStartDialogs dialogs) {
        return kvr::startFromTree(starter, dialogs, m_tree->tree(), chain, pending);
    });
}

void CMainDlg::startDrill(const WindowDrillRequest &request)
{
    launch([&](DrillStartContext &starter, DrillStartDialogs dialogs) {
        return startWindowDrill(starter, dialogs, request);
    });
}

void CMainDlg::repeatLastDrill()
{
    const std::string path = selectedPath();
    const DrillMode mode = m_loginfoPage->listedMode();
    launch([&](DrillStartContext &starter, DrillStartDialogs dialogs) {
        return kvr::repeatLastDrill(starter, dialogs, path, mode);
    });
}

void CMainDlg::repeatLastMissed()
{
    const std::string path = selectedPath();
    const DrillMode mode = m_loginfoPage->listedMode();
    launch([&](DrillStartContext &starter, DrillStartDialogs dialogs) {
        return kvr::repeatMissedQuestions(starter, dialogs, path, mode);
    });
}

} // namespace kvr::ui
