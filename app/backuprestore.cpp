#include "app/backuprestore.h"

#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/dailybackup.h"
#include "platform/prompter.h"
#include "platform/sharedfile.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

int countQuestions(const CFolder &folder)
{
    int count = 0;
    for (const TreeEntry &entry : folder.entries) {
        count += entry.kind() == EntryKind::Section ? entry.section().questionCount()
                                                    : countQuestions(entry.folder());
    }
    return count;
}

std::string contentOf(BackupKind kind, const std::string &path)
{
    if (kind == BackupKind::Database) {
        CQuestionDatabase database;
        if (readDatabase(database, path))
            return formatText(cp932::text("問題 %d"), countQuestions(database.root));
    } else {
        CAnswerLog log;
        if (log.loadAnswerLog(path))
            return formatText(cp932::text("学習者 %zu"), log.users.size());
    }
    return cp932::text("読み込めません");
}

// "20261210" → "2026/12/10"; "20261210-153000" → "2026/12/10 15:30:00".
std::string dateTextOf(std::string_view stamp)
{
    std::string text = std::string(stamp.substr(0, 4)) + "/" + std::string(stamp.substr(4, 2)) + "/"
        + std::string(stamp.substr(6, 2));
    if (stamp.size() > 8) {
        text += " " + std::string(stamp.substr(9, 2)) + ":" + std::string(stamp.substr(11, 2)) + ":"
            + std::string(stamp.substr(13, 2));
    }
    return text;
}

std::string sizeTextOf(std::uint64_t size)
{
    std::string digits = std::to_string(size);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits + cp932::text(" バイト");
}

void addRows(BackupListView &view, BackupKind kind, const std::string &dataPath)
{
    const std::string kindText =
        cp932::text(kind == BackupKind::Database ? "データベース" : "学習履歴");
    for (const BackupFile &file : listBackups(dataPath)) {
        view.rows.push_back({ kind, file.path, kindText, dateTextOf(file.stamp),
                              sizeTextOf(file.size), contentOf(kind, file.path) });
    }
}

const std::string &dataPathOf(const BackupRow &row, const RestoreContext &context)
{
    return row.kind == BackupKind::Database ? context.databasePath : context.logPath;
}

Reply tell(IPrompter &prompter, std::string text, Icon icon)
{
    Message message;
    message.text = std::move(text);
    message.icon = icon;
    return prompter.ask(message);
}

} // namespace

BackupListView backupListView(const std::string &databasePath, const std::string &logPath)
{
    BackupListView view;
    addRows(view, BackupKind::Database, databasePath);
    addRows(view, BackupKind::Log, logPath);
    view.emptyText = cp932::text("バックアップはまだありません。");
    return view;
}

std::string restoreQuestionText(const BackupRow &row)
{
    return formatText(cp932::text("%s を %s のバックアップに戻しますか？\n"
                                  "今のファイルはバックアップとして残ります。"),
                      row.kindText.c_str(), row.dateText.c_str());
}

std::string editorRunningText()
{
    return cp932::text("問題エディタが起動しているため、バックアップから戻せません。\n"
                       "問題エディタを終了してから、もう一度お試しください。");
}

std::string drillRunningText()
{
    return cp932::text("学習プログラムで学習中のため、バックアップから戻せません。\n"
                       "学習を終えてから、もう一度お試しください。");
}

std::string unsavedDrillsText()
{
    return cp932::text("まだ保存されていない学習の記録があるため、学習履歴をバックアップから"
                       "戻せません。\n学習履歴を保存してから、もう一度お試しください。");
}

std::string restoreFailedText(const BackupRow &row)
{
    return formatText(cp932::text("%s をバックアップ（%s）から戻せませんでした。"),
                      row.kindText.c_str(), row.path.c_str());
}

RestoreResult restoreBackup(const BackupRow &row, const RestoreContext &context)
{
    if (editorIsRunning(context.editorMarker)) {
        tell(context.prompter, context.busyText.empty() ? editorRunningText() : context.busyText,
             Icon::Warning);
        return RestoreResult::Refused;
    }
    if (row.kind == BackupKind::Log && context.logHasUnsavedDrills) {
        tell(context.prompter, unsavedDrillsText(), Icon::Warning);
        return RestoreResult::Refused;
    }
    Message question;
    question.text = restoreQuestionText(row);
    question.buttons = Buttons::YesNo;
    question.icon = Icon::Question;
    question.defaultButton = Reply::No;
    if (context.prompter.ask(question) != Reply::Yes)
        return RestoreResult::Cancelled;

    const std::string &dataPath = dataPathOf(row, context);
    // Read first: keeping the current file may remove the oldest backup, the chosen one.
    const std::optional<std::string> content = readWholeFile(row.path);
    bool restored = false;
    if (content) {
        const CSharedFileLock lock(dataPath);
        const bool kept =
            !fileExists(dataPath) || writeBackup(dataPath, backupMomentOf(context.clock.now()));
        restored = kept && replaceFileAtomically(dataPath, *content);
    }
    if (!restored) {
        tell(context.prompter, restoreFailedText(row), Icon::Error);
        return RestoreResult::Failed;
    }
    return RestoreResult::Restored;
}

} // namespace kvr
