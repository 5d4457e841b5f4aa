// "バックアップから戻す(&B)...": choosing a backup, putting it back, reloading.
#include "app/backuprestore.h"
#include "app/kvrsettings.h"
#include "app/ui/backuprestoredlg.h"
#include "app/ui/maindlg.h"
#include "history/answerlog.h"
#include "platform/ui/guarded.h"

namespace kvr::ui {

void CMainDlg::restoreBackup()
{
    const BackupListView view =
        backupListView(m_context.settings.DatabaseFilename, m_context.settings.LogPath);
    const std::optional<std::size_t> chosen = CBackupRestoreDlg::ask(view, this);
    if (!chosen)
        return;
    RestoreContext restore { m_context.settings.DatabaseFilename,
                             m_context.settings.LogPath,
                             m_context.prompter,
                             m_context.clock,
                             m_context.log.hasUnsavedChanges(),
                             m_services.editorMarker,
                             {} };
    RestoreResult result = RestoreResult::Failed;
    guarded(m_context.prompter, [&] { result = kvr::restoreBackup(view.rows[*chosen], restore); });
    if (result == RestoreResult::Restored)
        reload();
}

} // namespace kvr::ui
