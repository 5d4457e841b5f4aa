// The editor's left pane: the tabs, the database tree with its popup, and the web page.
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/editorlabels.h"
#include "editor/editorsession.h"
#include "editor/ui/editordlg.h"
#include "editor/ui/webpane.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// Item data: 1 for a folder, 0 for a question collection.
constexpr int kKindRole = Qt::UserRole;

} // namespace

void CEditorDlg::createLeftPane()
{
    const EditorLabels labels = editorLabels();
    m_leftPane = new QWidget(this);
    m_leftPane->setObjectName(QStringLiteral("leftPane"));
    m_tabs = new QTabBar(m_leftPane);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(qtext(labels.treeTab));
    m_tabs->addTab(qtext(labels.webTab));
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::NoFocus);

    m_tree = new QTreeWidget(m_leftPane);
    m_tree->setObjectName(QStringLiteral("databaseTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setContextMenuPolicy(Qt::PreventContextMenu); // the popup opens on release
    m_tree->viewport()->installEventFilter(this);
    m_webPane =
        new CWebPane(m_context.shell, m_leftPane, m_context.embedWebPages && CWebPane::canEmbed());

    m_leftStack = new QStackedWidget(m_leftPane);
    m_leftStack->addWidget(m_tree);
    m_leftStack->addWidget(m_webPane);
    auto *layout = new QVBoxLayout(m_leftPane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_leftStack, 1);

    connect(m_tabs, &QTabBar::currentChanged, this,
            [this](int tab) { forward([&] { m_session.selectTab(tab); }); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { treeSelectionChanged(); });
}

void CEditorDlg::treeSelectionChanged()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (m_rendering || !item)
        return;
    // A refused change (the save question cancelled) puts the old item back in render().
    forward([&] { m_session.selectTreeItem(chainOf(item)); });
}

void CEditorDlg::renderTree()
{
    const EditorView &view = m_session.view();
    if (view.treeRevision != m_treeRevision) {
        m_treeRevision = view.treeRevision;
        m_tree->clear();
        fillTreeLevel(m_tree->invisibleRootItem(), view.tree);
    }
    QTreeWidgetItem *item = itemAt(view.selectedChain);
    if (m_tree->currentItem() == item)
        return;
    if (!item) {
        m_tree->setCurrentItem(nullptr);
        return;
    }
    for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
}

void CEditorDlg::fillTreeLevel(QTreeWidgetItem *parent, const TreeNode &node)
{
    // The levels come sorted from the core; the control keeps them in that order.
    for (const TreeNode &child : node.children) {
        auto *item = new QTreeWidgetItem(parent, QStringList(qtext(child.name)));
        item->setData(0, kKindRole, child.isFolder ? 1 : 0);
        if (child.isFolder)
            fillTreeLevel(item, child);
    }
}

TreeIndexPath CEditorDlg::chainOf(const QTreeWidgetItem *item) const
{
    TreeIndexPath chain;
    for (; item; item = item->parent()) {
        auto *self = const_cast<QTreeWidgetItem *>(item);
        const QTreeWidgetItem *parent = item->parent();
        const int index = parent ? parent->indexOfChild(self) : m_tree->indexOfTopLevelItem(self);
        if (index < 0)
            return {};
        chain.insert(chain.begin(), static_cast<std::size_t>(index));
    }
    return chain;
}

QTreeWidgetItem *CEditorDlg::itemAt(const TreeIndexPath &chain) const
{
    QTreeWidgetItem *item = m_tree->invisibleRootItem();
    for (std::size_t index : chain) {
        if (static_cast<int>(index) >= item->childCount())
            return nullptr;
        item = item->child(static_cast<int>(index));
    }
    return chain.empty() ? nullptr : item;
}

bool CEditorDlg::filterTreeMouse(QEvent *event)
{
    auto *mouse = dynamic_cast<QMouseEvent *>(event);
    // The right button neither selects nor moves the current item; its release over an item
    // opens the popup, whose commands act on the selected item.
    if (!mouse || mouse->button() != Qt::RightButton)
        return false;
    if (event->type() == QEvent::MouseButtonRelease && m_tree->itemAt(mouse->position().toPoint()))
        m_sectionPopup->popup(mouse->globalPosition().toPoint());
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease
        || event->type() == QEvent::MouseButtonDblClick;
}

void CEditorDlg::renderTab()
{
    const EditorView &view = m_session.view();
    m_tabs->setCurrentIndex(view.tab);
    m_leftStack->setCurrentIndex(view.tab);
    if (view.webRevision != m_webRevision) {
        m_webRevision = view.webRevision;
        m_webPane->showAddress(view.webAddress);
    }
}

} // namespace kvr::ui
