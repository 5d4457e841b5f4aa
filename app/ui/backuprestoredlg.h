#pragma once

#include <cstddef>
#include <optional>

#include <QDialog>

#include "app/backuprestore.h"

class QPushButton;
class QTreeWidget;

namespace kvr::ui {

// "バックアップから戻す": the backups of the database and the log; the learner picks one.
class CBackupRestoreDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CBackupRestoreDlg(const BackupListView &view, QWidget *parent = nullptr);

    // The index in view.rows of the backup chosen with "戻す(&R)", or nothing.
    static std::optional<std::size_t> ask(const BackupListView &view, QWidget *parent);
    std::optional<std::size_t> chosenRow() const;

private:
    QTreeWidget *m_list;
    QPushButton *m_restore;
};

// The dialog as the choice the editor's core asks for, over the active window.
class CQtBackupChooser final : public IBackupChooser
{
public:
    std::optional<std::size_t> chooseBackup(const BackupListView &list) override;
};

} // namespace kvr::ui
