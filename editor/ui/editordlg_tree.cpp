// The editor's left pane: the tabs, the database tree with its popup, and the web page.
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/ui/databasetreewidget.h"
#include "editor/editorlabels.h"
#include "editor/editorsession.h"
#include "editor/ui/editordlg.h"
#include "editor/ui/webpane.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

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

    m_tree = new CDatabaseTreeWidget(m_leftPane);
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
    // A refused change (the save question cancelled) puts the old item back in render().
    connect(m_tree, &CDatabaseTreeWidget::chainSelected, this, [this](const TreeIndexPath &chain) {
        forward([&] { m_session.selectTreeItem(chain); });
    });
    // The popup's commands act on the selected item, which the right button leaves as it is.
    connect(m_tree, &CDatabaseTreeWidget::popupRequested, this,
            [this](const QPoint &globalPos) { m_sectionPopup->popup(globalPos); });
}

void CEditorDlg::renderTree()
{
    const EditorView &view = m_session.view();
    if (view.treeRevision != m_treeRevision) {
        m_treeRevision = view.treeRevision;
        m_tree->setTree(view.tree);
    }
    if (m_tree->currentChain() == view.selectedChain)
        return;
    if (view.selectedChain.empty())
        m_tree->setCurrentItem(nullptr);
    else
        m_tree->selectChain(view.selectedChain, false);
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
