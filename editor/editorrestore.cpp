// "バックアップから戻す(&B)...": the study program's backups, put back from the editor.
#include "app/backuprestore.h"
#include "db/questiondatabase.h"
#include "editor/editorsession.h"
#include "editor/editorsettings.h"
#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

Message discardChangesQuestion(const std::string &path)
{
    Message message;
    message.text = formatText(cp932::text("開いている問題集（%s）の変更はまだ保存されていません。\n"
                                          "データベースをバックアップから戻すと、この変更は"
                                          "失われます。続けますか？"),
                              path.c_str());
    message.caption = cp932::text("保存の確認");
    message.buttons = Buttons::YesNo;
    message.icon = Icon::Warning;
    message.defaultButton = Reply::No;
    return message;
}

} // namespace

// The same list, dialog and restore as the study program's. The editor waits for a drill
// rather than for itself: the study program holds the in-use marker while a drill runs.
void CEditorSession::restoreBackupCommand()
{
    if (!m_services.backups)
        return;
    const BackupListView list = backupListView(m_edit.databasePath(), m_services.settings.LogPath);
    const std::optional<std::size_t> chosen = m_services.backups->chooseBackup(list);
    if (!chosen || *chosen >= list.rows.size())
        return;
    const BackupRow &row = list.rows[*chosen];
    const bool database = row.kind == BackupKind::Database;
    if (database && m_edit.modified() && m_edit.selected()
        && m_services.prompter.ask(discardChangesQuestion(m_edit.selected()->path)) != Reply::Yes)
        return;
    const RestoreContext context { m_edit.databasePath(),
                                   m_services.settings.LogPath,
                                   m_services.prompter,
                                   m_services.clock,
                                   false,
                                   m_services.markerName,
                                   drillRunningText() };
    if (restoreBackup(row, context) == RestoreResult::Restored && database)
        reloadDatabase();
}

// The database file as it is now replaces the one in memory; the open item is opened again
// from it (its unsaved changes were given up), or the first item when it is gone.
void CEditorSession::reloadDatabase()
{
    const std::string path =
        m_edit.selected() ? m_edit.selected()->path : m_services.settings.LastSection;
    CQuestionDatabase fresh;
    if (!readDatabase(fresh, m_edit.databasePath())) {
        // The one in memory stays; the file counts as changed, so a save asks first.
        m_services.prompter.tell(
            formatText(cp932::text("データベースファイル %s が開けませんでした。"),
                       m_edit.databasePath().c_str()));
        return;
    }
    m_services.database = std::move(fresh);
    m_edit.databaseRead();
    m_edit.close();
    rebuildTree();
    selectPath(path);
}

} // namespace kvr
