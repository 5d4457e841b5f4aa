#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/editorlaunch.h"

namespace kvr {

class IClock;
class IPrompter;

enum class BackupKind { Database, Log };

// One row of "バックアップから戻す": texts as the dialog shows them (CP932).
struct BackupRow
{
    BackupKind kind = BackupKind::Database;
    std::string path; // the backup file
    std::string kindText; // "データベース" / "学習履歴"
    std::string dateText; // "2026/12/10" or "2026/12/10 15:30:00"
    std::string sizeText; // "12,345 バイト"
    std::string contentText; // "問題 120" / "学習者 3", or "読み込めません"
};

struct BackupListView
{
    std::vector<BackupRow> rows; // the database's backups newest first, then the log's
    std::string emptyText; // shown when there are no rows
};

// Every backup of the database file and of the log file, read to count their questions and
// learners.
BackupListView backupListView(const std::string &databasePath, const std::string &logPath);

// The list of backups shown for a choice, in both programs.
class IBackupChooser
{
public:
    virtual ~IBackupChooser() = default;
    // The index in list.rows of the backup chosen, or nothing.
    virtual std::optional<std::size_t> chooseBackup(const BackupListView &list) = 0;
};

struct RestoreContext
{
    std::string databasePath;
    std::string logPath;
    IPrompter &prompter;
    const IClock &clock;
    bool logHasUnsavedDrills = false; // drills only in memory would be lost by the reload
    // The marker whose holder the restore waits for, and what the refusal says (empty:
    // editorRunningText()). The editor passes the drill's in-use marker beside the database.
    std::string editorMarker = std::string(kEditorInstanceMarker);
    std::string busyText;
};

enum class RestoreResult { Restored, Cancelled, Refused, Failed };

// Puts the chosen backup in place of its data file: refused while the editor runs (or, for
// the log, while drills are unsaved), after a Yes/No question; the current file is kept as
// one more backup first (YYYYMMDD-HHMMSS), then the backup's bytes replace it atomically
// under the file's lock. Restored: the caller reloads the data.
RestoreResult restoreBackup(const BackupRow &row, const RestoreContext &context);

// The texts of the flow's boxes (CP932).
std::string restoreQuestionText(const BackupRow &row);
std::string editorRunningText();
std::string drillRunningText(); // the editor's refusal while the study program drills
std::string unsavedDrillsText();
std::string restoreFailedText(const BackupRow &row);

} // namespace kvr
