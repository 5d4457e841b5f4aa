// The main window's database tree and its popup.
#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

#include "app/kvrsettings.h"
#include "app/ui/maindlg.h"
#include "app/ui/toolicons.h"
#include "db/questiondatabase.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// Item data: 1 for a folder, 0 for a question collection.
constexpr int kKindRole = Qt::UserRole;

} // namespace

void CMainDlg::createTree()
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("databaseTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_folderIcon = toolIcon(ToolIcon::Folder);
    m_collectionIcon = toolIcon(ToolIcon::Collection);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setContextMenuPolicy(Qt::PreventContextMenu); // the popup opens on release
    m_tree->viewport()->installEventFilter(this);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] {
        if (!m_rebuilding)
            refresh();
    });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item && item->data(0, kKindRole).toInt() == 0)
            startFromTree(std::nullopt);
    });

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
    m_tree->clear();
    m_treeData = buildDatabaseTree(m_context.database.root);
    fillLevel(m_tree->invisibleRootItem(), m_treeData);
    m_rebuilding = false;
    selectPath(m_context.settings.LastSection);
}

void CMainDlg::fillLevel(QTreeWidgetItem *parent, const TreeNode &node)
{
    // The levels come sorted from the core; the control keeps them in that order.
    for (const TreeNode &child : node.children) {
        auto *item = new QTreeWidgetItem(parent, QStringList(qtext(child.name)));
        item->setData(0, kKindRole, child.isFolder ? 1 : 0);
        item->setIcon(0, child.isFolder ? m_folderIcon : m_collectionIcon);
        if (child.isFolder)
            fillLevel(item, child);
    }
}

TreeIndexPath CMainDlg::chainOf(const QTreeWidgetItem *item) const
{
    TreeIndexPath chain;
    for (; item; item = item->parent()) {
        const QTreeWidgetItem *parent = item->parent();
        const int index = parent ? parent->indexOfChild(const_cast<QTreeWidgetItem *>(item))
                                 : m_tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(item));
        if (index < 0)
            return {};
        chain.insert(chain.begin(), static_cast<std::size_t>(index));
    }
    return chain;
}

QTreeWidgetItem *CMainDlg::itemAt(const TreeIndexPath &chain) const
{
    QTreeWidgetItem *item = m_tree->invisibleRootItem();
    for (std::size_t index : chain) {
        if (static_cast<int>(index) >= item->childCount())
            return nullptr;
        item = item->child(static_cast<int>(index));
    }
    return chain.empty() ? nullptr : item;
}

std::string CMainDlg::selectedPath() const
{
    QTreeWidgetItem *current = m_tree->currentItem();
    return current ? treePath(m_treeData, chainOf(current)) : std::string();
}

std::optional<std::string> CMainDlg::selectedCollectionPath() const
{
    QTreeWidgetItem *current = m_tree->currentItem();
    if (!current)
        return std::nullopt;
    return collectionPathAt(m_treeData, chainOf(current));
}

void CMainDlg::selectPath(std::string_view path)
{
    QTreeWidgetItem *item = itemAt(findNodeByPath(m_treeData, path));
    if (!item)
        return;
    for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    if (m_tree->currentItem() == item)
        refresh();
    else
        m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
}

void CMainDlg::showTreePopup(const QPoint &globalPos, QTreeWidgetItem *item)
{
    const std::optional<TreePopupView> view = treePopupView(m_treeData, chainOf(item));
    if (!view)
        return;
    m_popupPath = view->path;
    m_popupPathItem->setText(qtext(view->path));
    m_popupQuestionList->setEnabled(view->collectionItemsEnabled);
    m_popupShortcut->setEnabled(view->collectionItemsEnabled);
    m_treePopup->popup(globalPos);
}

bool CMainDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (m_tree && watched == m_tree->viewport()) {
        auto *mouse = dynamic_cast<QMouseEvent *>(event);
        // The right button neither selects nor moves the current item; its release over a
        // visible item opens the popup.
        if (mouse && mouse->button() == Qt::RightButton) {
            if (event->type() == QEvent::MouseButtonRelease) {
                if (QTreeWidgetItem *item = m_tree->itemAt(mouse->position().toPoint()))
                    showTreePopup(mouse->globalPosition().toPoint(), item);
            }
            if (event->type() == QEvent::MouseButtonPress
                || event->type() == QEvent::MouseButtonRelease
                || event->type() == QEvent::MouseButtonDblClick)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kvr::ui
