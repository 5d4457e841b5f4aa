// Pieces shared by the editor's tree commands.
#include "editor/editorsupport.h"

#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/textfile.h"

namespace kvr {

std::string backupFilePath(const std::string &databasePath)
{
    // Beside the database file, also when its path names no folder.
    const std::string folder = env::parentFolder(databasePath);
    return folder.empty() ? std::string("Backup.kvr") : env::joinPath(folder, "Backup.kvr");
}

std::string oldCopyPath(const std::string &databasePath)
{
    return databasePath + ".old";
}

namespace editor {

std::string kindWord(EntryKind kind)
{
    return cp932::text(kind == EntryKind::Folder ? "フォルダ" : "問題集");
}

void tell(TreeEditContext &context, const std::string &text)
{
    context.prompter.tell(text);
}

bool writeOldCopy(const std::string &databasePath)
{
    if (!fileExists(databasePath))
        return false;
    const std::optional<std::string> content = readWholeFile(databasePath);
    return content && replaceFileAtomically(oldCopyPath(databasePath), *content);
}

void renameHistory(TreeEditContext &context, std::string_view oldPath, std::string_view newPath,
                   EntryKind kind)
{
    if (!fileExists(context.logPath))
        return;
    CAnswerLog log;
    log.setDailyBackup(context.backup);
    const auto update = log.updateAnswerLog(context.logPath, [&](CAnswerLog &fresh) {
        if (kind == EntryKind::Folder)
            fresh.renameFolderLogs(oldPath, newPath);
        else
            fresh.renameSectionLogs(oldPath, newPath);
    });
    if (update == CAnswerLog::Update::WriteFailed)
        context.prompter.ask(errorBox(logSaveFailedText(context.logPath)));
}

} // namespace editor
} // namespace kvr
