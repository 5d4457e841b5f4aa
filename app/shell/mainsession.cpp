#include "app/shell/mainsession.h"

#include <exception>
#include <utility>

#include "app/kvrsettings.h"
#include "db/questiondatabase.h"
#include "platform/namedmutex.h"
#include "platform/prompter.h"

namespace kvr {

namespace {

// The error's own text in an error box, as for any failure of a command.
bool tellFailures(IPrompter &prompter, const auto &action)
{
    std::string what;
    try {
        action();
        return true;
    } catch (const std::exception &error) {
        what = error.what();
    } catch (...) {
        what = "unknown error";
    }
    prompter.tell(what, {}, Icon::Error);
    return false;
}

} // namespace

CMainSession::CMainSession(MainSessionContext context)
    : m_context(std::move(context))
{
    m_view.logMode = m_context.settings.LogMode;
}

void CMainSession::rebuildTree()
{
    m_view.tree = buildDatabaseTree(m_context.database.root);
    ++m_view.treeRevision;
    selectChain(findNodeByPath(m_view.tree, m_context.settings.LastSection));
}

void CMainSession::selectChain(const TreeIndexPath &chain)
{
    const TreeNode *node = nodeAt(m_view.tree, chain);
    m_view.selectedChain = node ? chain : TreeIndexPath();
    m_view.selectedPath = node ? treePath(m_view.tree, chain) : std::string();
    m_view.folderSelected = node && node->isFolder;
    refresh();
}

void CMainSession::selectPath(std::string_view path)
{
    selectChain(findNodeByPath(m_view.tree, path));
}

void CMainSession::refresh()
{
    m_view.logMode = m_context.settings.LogMode;
    m_view.selectionCommands = selectionMenuItemsEnabled(nodeAt(m_view.tree, m_view.selectedChain));
    if (m_view.selectedChain.empty())
        return;
    m_view.header = headerInfo(m_context.database.root, m_view.selectedPath, m_view.folderSelected,
                               m_context.settings.nDefaultQuestions);
    m_context.settings.LastSection = m_view.selectedPath;
    m_context.settings.saveLastSection(m_context.store);
    ++m_view.selectionRevision;
    if (!m_view.header.ok())
        m_context.prompter.tell(m_view.header.error);
}

void CMainSession::chooseLogMode(int logMode)
{
    m_context.settings.LogMode = logMode;
    refresh();
}

std::optional<std::string> CMainSession::selectedCollectionPath() const
{
    if (m_view.selectedChain.empty())
        return std::nullopt;
    return collectionPathAt(m_view.tree, m_view.selectedChain);
}

// The launch holds the in-use marker until the drill window has closed.
template <typename Start> bool CMainSession::launch(Start &&start)
{
    DrillStartContext starter { m_context.database.root, m_context.log,   m_context.settings,
                                m_context.prompter,      m_context.clock, m_context.markerName };
    if (starter.markerName.empty())
        starter.markerName = inUseMarkerBeside(m_context.settings.DatabaseFilename);
    DrillStartDialogs dialogs { m_context.modeChooser, m_context.startPrompter };
    std::optional<CDrillLaunch> drill;
    tellFailures(m_context.prompter, [&] { drill = start(starter, dialogs); });
    if (!drill) {
        refresh();
        return false;
    }
    tellFailures(m_context.prompter, [&] { m_context.drillRunner.runDrill(drill->setup()); });
    refresh();
    m_view.lastDrillMode = drill->mode();
    ++m_view.drillRevision;
    return true;
}

bool CMainSession::startFromTree(std::optional<DrillMode> mode)
{
    if (m_view.selectedChain.empty())
        return false;
    const int pending = mode ? static_cast<int>(*mode) : -1;
    const TreeIndexPath chain = m_view.selectedChain;
    return launch([&](DrillStartContext &starter, DrillStartDialogs dialogs) {
        return kvr::startFromTree(starter, dialogs, m_view.tree, chain, pending);
    });
}

bool CMainSession::startDrill(const WindowDrillRequest &request)
{
    return launch([&](DrillStartContext &starter, DrillStartDialogs dialogs) {
        return startWindowDrill(starter, dialogs, request);
    });
}

bool CMainSession::repeatLastDrill(DrillMode listedMode)
{
    const std::string path = m_view.selectedPath;
    return launch([&](DrillStartContext &starter, DrillStartDialogs dialogs) {
        return kvr::repeatLastDrill(starter, dialogs, path, listedMode);
    });
}

bool CMainSession::repeatLastMissed(DrillMode listedMode)
{
    const std::string path = m_view.selectedPath;
    return launch([&](DrillStartContext &starter, DrillStartDialogs dialogs) {
        return repeatMissedQuestions(starter, dialogs, path, listedMode);
    });
}

bool runShortcutDrill(DrillStartContext &starter, const CCommandLine &commandLine,
                      IDrillRunner &drillRunner)
{
    std::optional<CDrillLaunch> drill;
    tellFailures(starter.prompter, [&] { drill = prepareAutorunDrill(starter, commandLine); });
    if (!drill)
        return false;
    tellFailures(starter.prompter, [&] { drillRunner.runDrill(drill->setup()); });
    return true;
}

} // namespace kvr
