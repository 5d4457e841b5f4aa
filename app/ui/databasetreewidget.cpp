#include "app/ui/databasetreewidget.h"

#include <utility>
#include <vector>

#include <QMouseEvent>

#include "app/ui/toolicons.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// Item data: 1 for a folder, 0 for a question collection.
constexpr int kKindRole = Qt::UserRole;

// Restores a flag on every way out, so a throwing caller cannot leave the signals off.
class CQuietScope
{
public:
    CQuietScope(bool &flag, bool quiet)
        : m_flag(flag)
        , m_old(flag)
    {
        m_flag = m_flag || quiet;
    }
    ~CQuietScope() { m_flag = m_old; }
    CQuietScope(const CQuietScope &) = delete;
    CQuietScope &operator=(const CQuietScope &) = delete;

private:
    bool &m_flag;
    bool m_old;
};

} // namespace

CDatabaseTreeWidget::CDatabaseTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
    , m_folderIcon(toolIcon(ToolIcon::Folder))
    , m_collectionIcon(toolIcon(ToolIcon::Collection))
{
    setObjectName(QStringLiteral("databaseTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::PreventContextMenu); // the popup opens on release
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!m_quiet && item)
            emit chainSelected(chainOf(item));
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item && item->data(0, kKindRole).toInt() == 0)
            emit collectionActivated(chainOf(item));
    });
}

void CDatabaseTreeWidget::setTree(const TreeNode &tree)
{
    CQuietScope quiet(m_quiet, true);
    clear();
    m_tree = tree;
    fillLevel(invisibleRootItem(), m_tree);
}

void CDatabaseTreeWidget::fillLevel(QTreeWidgetItem *parent, const TreeNode &node)
{
    // A list of pending folders, not recursion: folders nest to any depth. Each level is
    // added whole, in the order the core sorted it.
    std::vector<std::pair<QTreeWidgetItem *, const TreeNode *>> pending { { parent, &node } };
    while (!pending.empty()) {
        const auto [parentItem, folder] = pending.back();
        pending.pop_back();
        for (const TreeNode &child : folder->children) {
            auto *item = new QTreeWidgetItem(parentItem, QStringList(qtext(child.name)));
            item->setData(0, kKindRole, child.isFolder ? 1 : 0);
            item->setIcon(0, child.isFolder ? m_folderIcon : m_collectionIcon);
            if (child.isFolder)
                pending.emplace_back(item, &child);
        }
    }
}

TreeIndexPath CDatabaseTreeWidget::currentChain() const
{
    const QTreeWidgetItem *current = currentItem();
    return current ? chainOf(current) : TreeIndexPath();
}

bool CDatabaseTreeWidget::selectChain(const TreeIndexPath &chain, bool notify)
{
    QTreeWidgetItem *item = itemAt(chain);
    if (!item)
        return false;
    for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    const bool already = currentItem() == item;
    {
        CQuietScope quiet(m_quiet, !notify);
        setCurrentItem(item);
    }
    scrollToItem(item);
    if (already && notify && !m_quiet)
        emit chainSelected(chain);
    return true;
}

TreeIndexPath CDatabaseTreeWidget::chainOf(const QTreeWidgetItem *item) const
{
    TreeIndexPath chain;
    for (; item; item = item->parent()) {
        const QTreeWidgetItem *parent = item->parent();
        auto *self = const_cast<QTreeWidgetItem *>(item);
        const int index = parent ? parent->indexOfChild(self) : indexOfTopLevelItem(self);
        if (index < 0)
            return {};
        chain.insert(chain.begin(), static_cast<std::size_t>(index));
    }
    return chain;
}

QTreeWidgetItem *CDatabaseTreeWidget::itemAt(const TreeIndexPath &chain) const
{
    QTreeWidgetItem *item = invisibleRootItem();
    for (std::size_t index : chain) {
        if (index >= static_cast<std::size_t>(item->childCount()))
            return nullptr;
        item = item->child(static_cast<int>(index));
    }
    return chain.empty() ? nullptr : item;
}

bool CDatabaseTreeWidget::viewportEvent(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
        || type == QEvent::MouseButtonDblClick) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        // The right button neither selects nor moves the current item; its release over a
        // visible item opens the popup.
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonRelease) {
                if (QTreeWidgetItem *item = QTreeWidget::itemAt(mouse->position().toPoint()))
                    emit popupRequested(mouse->globalPosition().toPoint(), chainOf(item));
            }
            return true;
        }
    }
    return QTreeWidget::viewportEvent(event);
}

} // namespace kvr::ui
