#include "editor/ui/choicedlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/ui/buttons.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// Item data: the CP932 path and whether the item is a folder.
constexpr int kPathRole = Qt::UserRole;
constexpr int kFolderRole = Qt::UserRole + 1;

} // namespace

CChoiceDlg::CChoiceDlg(const ChoiceDialogRequest &request, QWidget *parent)
    : QDialog(parent)
    , m_request(request)
    , m_tree(new QTreeWidget(this))
    , m_rootBox(new QCheckBox(qtext(request.rootBoxText), this))
    , m_ok(nullptr)
{
    setWindowTitle(qtext(request.caption));
    m_tree->setObjectName("tree");
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumSize(300, 320);
    for (const TreeNode &child : request.tree.children)
        fill(nullptr, child, std::string());
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

void CChoiceDlg::fill(QTreeWidgetItem *parent, const TreeNode &node, const std::string &path)
{
    const std::string itemPath = path.empty() ? node.name : path + "/" + node.name;
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, qtext(node.name));
    item->setIcon(0,
                  style()->standardIcon(node.isFolder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
    item->setData(0, kPathRole, QByteArray::fromStdString(itemPath));
    item->setData(0, kFolderRole, node.isFolder);
    for (const TreeNode &child : node.children)
        fill(item, child, itemPath);
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
    return ChoiceAnswer { false, item->data(0, kPathRole).toByteArray().toStdString(),
                          item->data(0, kFolderRole).toBool() ? EntryKind::Folder
                                                              : EntryKind::Section };
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
