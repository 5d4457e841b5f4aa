#include "app/ui/backuprestoredlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/ui/buttons.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CBackupRestoreDlg::CBackupRestoreDlg(const BackupListView &view, QWidget *parent)
    : QDialog(parent)
    , m_list(new QTreeWidget(this))
{
    setWindowTitle(utext("バックアップから戻す"));
    m_list->setObjectName("rows");
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(4);
    m_list->setHeaderLabels({ utext("種類"), utext("日付"), utext("サイズ"), utext("内容") });
    for (const BackupRow &row : view.rows) {
        auto *item = new QTreeWidgetItem(m_list,
                                         { qtext(row.kindText), qtext(row.dateText),
                                           qtext(row.sizeText), qtext(row.contentText) });
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->resizeColumnToContents(column);
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumSize(520, 240);

    auto *empty = new QLabel(qtext(view.emptyText), this);
    empty->setObjectName("emptyText");
    empty->setVisible(view.rows.empty());

    m_restore = namedButton(this, "restore", "戻す(&R)", ButtonRole::Answer);
    QPushButton *close = namedButton(this, "close", "閉じる(&C)", ButtonRole::Answer);
    m_restore->setEnabled(false);
    close->setDefault(true);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_restore->setEnabled(chosenRow().has_value()); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_restore, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_restore);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(utext("戻すバックアップを選んでください。今のファイルは"
                                       "バックアップとして残ります。"),
                                 this));
    layout->addWidget(m_list);
    layout->addWidget(empty);
    layout->addLayout(buttons);
}

std::optional<std::size_t> CBackupRestoreDlg::chosenRow() const
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || m_list->selectedItems().isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(current.row());
}

std::optional<std::size_t> CBackupRestoreDlg::ask(const BackupListView &view, QWidget *parent)
{
    CBackupRestoreDlg dialog(view, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenRow();
}

std::optional<std::size_t> CQtBackupChooser::chooseBackup(const BackupListView &list)
{
    return CBackupRestoreDlg::ask(list, QApplication::activeWindow());
}

} // namespace kvr::ui
