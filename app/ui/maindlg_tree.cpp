// The main window's database tree and its popup.
#include <QAction>
#include <QMenu>

#include "app/kvrsettings.h"
#include "app/ui/databasetreewidget.h"
#include "app/ui/logmodetabpage.h"
#include "app/ui/maindlg.h"
#include "db/questiondatabase.h"
#include "history/ui/loginfopage.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

void CMainDlg::createTree()
{
    m_tree = new CDatabaseTreeWidget(this);
    connect(m_tree, &CDatabaseTreeWidget::chainSelected, this, [this] {
        if (!m_rendering)
            forward([this] { m_session->selectChain(m_tree->currentChain()); });
    });
    connect(m_tree, &CDatabaseTreeWidget::collectionActivated, this,
            [this] { startFromTree(std::nullopt); });
    connect(m_tree, &CDatabaseTreeWidget::popupRequested, this, &CMainDlg::showTreePopup);

    m_treePopup = new QMenu(this);
    m_treePopup->setObjectName(QStringLiteral("SectionPopup"));
    m_popupQuestionList = m_treePopup->addAction(utext("問題一覧(&P)..."));
    m_popupQuestionList->setObjectName(QStringLiteral("popupQuestionList"));
    m_popupShortcut = m_treePopup->addAction(utext("この問題集のショートカットを作成する(&A)..."));
    m_popupShortcut->setObjectName(QStringLiteral("popupShortcut"));
    m_treePopup->addSeparator();
    m_popupPathItem = m_treePopup->addAction(QStringLiteral("SectionPath"));
    m_popupPathItem->setObjectName(QStringLiteral("popupPath"));
    m_popupPathItem->setEnabled(false);
    connect(m_popupQuestionList, &QAction::triggered, this,
            [this] { showQuestionList(m_popupPath); });
    connect(m_popupShortcut, &QAction::triggered, this, [this] { makeShortcut(m_popupPath); });
}

void CMainDlg::rebuildTree()
{
    forward([this] { m_session->rebuildTree(); });
}

std::string CMainDlg::selectedPath() const
{
    return m_session->view().selectedPath;
}

std::optional<std::string> CMainDlg::selectedCollectionPath() const
{
    return m_session->selectedCollectionPath();
}

void CMainDlg::selectPath(std::string_view path)
{
    forward([this, path] { m_session->selectPath(path); });
}

// Runs one event of the session (a failure told, never thrown into the event loop), then
// shows what it changed.
void CMainDlg::forward(const std::function<void()> &event)
{
    guarded(m_context.prompter, event);
    render();
}

void CMainDlg::render()
{
    const MainView &view = m_session->view();
    m_rendering = true;
    if (view.treeRevision != m_shownTree) {
        m_shownTree = view.treeRevision;
        m_tree->setTree(view.tree);
    }
    if (m_tree->currentChain() != view.selectedChain)
        m_tree->selectChain(view.selectedChain);
    m_rendering = false;

    m_modeStrip->showLogMode(view.logMode);
    m_loginfoPage->showLogMode(view.logMode);
    updateSelectionMenuItems();
    if (view.selectionRevision != m_shownSelection) {
        m_shownSelection = view.selectionRevision;
        showSelection(view);
    }
    if (view.drillRevision != m_shownDrill) {
        m_shownDrill = view.drillRevision;
        m_loginfoPage->showDrillMode(view.lastDrillMode);
    }
}

void CMainDlg::showTreePopup(const QPoint &globalPos, const TreeIndexPath &chain)
{
    const std::optional<TreePopupView> view = treePopupView(m_tree->tree(), chain);
    if (!view)
        return;
    m_popupPath = view->path;
    m_popupPathItem->setText(qtext(view->path));
    m_popupQuestionList->setEnabled(view->collectionItemsEnabled);
    m_popupShortcut->setEnabled(view->collectionItemsEnabled);
    m_treePopup->popup(globalPos);
}

} // namespace kvr::ui
