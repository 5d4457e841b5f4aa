#pragma once

#include <QTreeWidget>

#include "app/databasetree.h"

namespace kvr::ui {

// The question database as a tree control, shared by the study program and the editor:
// the levels in the core's order (sorted by name), folder and collection pictures, nodes
// addressed by their index chain, and the right-button popup that opens on release without
// moving the selection.
class CDatabaseTreeWidget final : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CDatabaseTreeWidget(QWidget *parent = nullptr);

    // Refills the control; no signal. Nothing is current afterwards.
    void setTree(const TreeNode &tree);
    const TreeNode &tree() const { return m_tree; }

    // Empty when nothing is selected.
    TreeIndexPath currentChain() const;
    // Makes the node current, its parents expanded and scrolled into view; emits
    // chainSelected only when notify (also when it already was current, so a caller can
    // refresh). False when there is no such node.
    bool selectChain(const TreeIndexPath &chain, bool notify = true);
    TreeIndexPath chainOf(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *itemAt(const TreeIndexPath &chain) const;

signals:
    // The user (or selectChain with notify) made a node current.
    void chainSelected(const TreeIndexPath &chain);
    // The right button was released over a node.
    void popupRequested(const QPoint &globalPos, const TreeIndexPath &chain);
    // A collection was double-clicked.
    void collectionActivated(const TreeIndexPath &chain);

protected:
    bool viewportEvent(QEvent *event) override;

private:
    void fillLevel(QTreeWidgetItem *parent, const TreeNode &node);

    TreeNode m_tree;
    QIcon m_folderIcon;
    QIcon m_collectionIcon;
    bool m_quiet = false; // no chainSelected while refilling or selecting silently
};

} // namespace kvr::ui
