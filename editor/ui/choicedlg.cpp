#include "editor/ui/choicedlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/databasetreewidget.h"
#include "platform/ui/buttons.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CChoiceDlg::CChoiceDlg(const ChoiceDialogRequest &request, QWidget *parent)
    : QDialog(parent)
    , m_request(request)
    , m_tree(new CDatabaseTreeWidget(this))
    , m_rootBox(new QCheckBox(qtext(request.rootBoxText), this))
    , m_ok(nullptr)
{
    setWindowTitle(qtext(request.caption));
    m_tree->setObjectName("tree");
    m_tree->setMinimumSize(300, 320);
    m_tree->setTree(request.tree);
    m_rootBox->setObjectName("root");
    m_rootBox->setVisible(request.rootBoxShown);

    QDialogButtonBox *buttons = okCancelBox(this, false);
    m_ok = buttons->findChild<QPushButton *>(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (acceptedChoice(m_request, answer()))
            accept();
    });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CChoiceDlg::update);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_ok->isEnabled())
            m_ok->click();
    });
    connect(m_rootBox, &QCheckBox::toggled, this, &CChoiceDlg::update);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(m_rootBox);
    layout->addWidget(buttons);
    update();
}

std::optional<ChoiceAnswer> CChoiceDlg::answer() const
{
    if (m_request.rootBoxShown && m_rootBox->isChecked()) {
        ChoiceAnswer root;
        root.root = true;
        return root;
    }
    const QTreeWidgetItem *item = m_tree->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    const TreeIndexPath chain = m_tree->chainOf(item);
    const TreeNode *node = nodeAt(m_tree->tree(), chain);
    return ChoiceAnswer { false, treePath(m_tree->tree(), chain),
                          node && node->isFolder ? EntryKind::Folder : EntryKind::Section };
}

void CChoiceDlg::update()
{
    const bool rootTicked = m_request.rootBoxShown && m_rootBox->isChecked();
    m_tree->setEnabled(!rootTicked);
    m_ok->setEnabled(choiceOkEnabled(m_request, answer(), rootTicked));
}

std::optional<ChoiceAnswer> CChoiceDlg::ask(QWidget *parent, const ChoiceDialogRequest &request)
{
    CChoiceDlg dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return acceptedChoice(request, dialog.answer());
}

} // namespace kvr::ui
