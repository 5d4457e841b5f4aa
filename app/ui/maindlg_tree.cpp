// The main window's database tree and its popup.
#include <QAction>
#include <QMenu>

#include "app/kvrsettings.h"
#include "app/ui/databasetreewidget.h"
#include "app/ui/maindlg.h"
#include "db/questiondatabase.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

void CMainDlg::createTree()
{
    m_tree = new CDatabaseTreeWidget(this);
    connect(m_tree, &CDatabaseTreeWidget::chainSelected, this, [this] {
        if (!m_rebuilding)
            refresh();
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
    m_rebuilding = true;
    m_tree->setTree(buildDatabaseTree(m_context.database.root));
    m_rebuilding = false;
    selectPath(m_context.settings.LastSection);
}

std::string CMainDlg::selectedPath() const
{
    const TreeIndexPath chain = m_tree->currentChain();
    return chain.empty() ? std::string() : treePath(m_tree->tree(), chain);
}

std::optional<std::string> CMainDlg::selectedCollectionPath() const
{
    const TreeIndexPath chain = m_tree->currentChain();
    if (chain.empty())
        return std::nullopt;
    return collectionPathAt(m_tree->tree(), chain);
}

void CMainDlg::selectPath(std::string_view path)
{
    m_tree->selectChain(findNodeByPath(m_tree->tree(), path));
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
