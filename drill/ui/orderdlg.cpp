#include "drill/ui/orderdlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "drill/drillsetup.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

COrderDlg::COrderDlg(QWidget *parent)
    : QDialog(parent)
    , m_items(new QListWidget(this))
{
    setWindowTitle(utext("解答順の選択"));
    m_items->setObjectName("items");
    m_items->addItem(utext("シーケンシャル"));
    m_items->addItem(utext("ランダム"));
    m_items->setCurrentRow(kOrderDlgInitialItem);
    const int rowHeight = m_items->sizeHintForRow(0);
    m_items->setSpacing(2);
    m_items->setFixedSize(240, 2 * (rowHeight + 4) + 2 * m_items->frameWidth() + 2);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    layout->addWidget(new QLabel(utext("解答する順番を選択してください"), this));
    layout->addWidget(m_items);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_items, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { confirm(m_items->row(item)); });
    m_items->setFocus();
}

void COrderDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const QList<QListWidgetItem *> selected = m_items->selectedItems();
        confirm(selected.isEmpty() ? -1 : m_items->row(selected.front()));
        return;
    }
    QDialog::keyPressEvent(event);
}

void COrderDlg::confirm(int row)
{
    const std::optional<bool> sequential = orderDlgSequential(row);
    if (!sequential)
        return;
    m_sequential = *sequential;
    accept();
}

std::optional<bool> COrderDlg::ask(QWidget *parent)
{
    COrderDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.sequential();
}

} // namespace kvr::ui
