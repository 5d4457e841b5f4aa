// Writing the log that the study program and the editor share.
#include "history/answerlog.h"
#include "platform/dailybackup.h"
#include "platform/textfile.h"

namespace kvr {

CAnswerLog::Update CAnswerLog::updateAnswerLog(std::string_view path, const Change &change)
{
    if (change) {
        change(*this);
        m_unsaved.push_back(change);
    }
    if (m_backup)
        m_backup->beforeSave(path);
    const CSharedFileLock lock(path);
    // A file that is gone is written anew from memory.
    if (m_version.changedSince(path) && fileExists(path)) {
        std::vector<Change> unsaved = std::move(m_unsaved);
        CAnswerLog fresh;
        if (!fresh.loadAnswerLog(path)) {
            m_unsaved = std::move(unsaved);
            return Update::Unreadable;
        }
        headerLines = std::move(fresh.headerLines);
        users = std::move(fresh.users);
        m_version = fresh.m_version;
        for (const Change &again : unsaved)
            again(*this);
        m_unsaved = std::move(unsaved);
        changedByOthers = true;
    }
    if (!saveAnswerLog(path))
        return Update::WriteFailed;
    m_version.remember(fileStampOf(path));
    m_unsaved.clear();
    return Update::Saved;
}

bool CAnswerLog::saveWholeLog(std::string_view path)
{
    if (m_backup)
        m_backup->beforeSave(path);
    const CSharedFileLock lock(path);
    if (!saveAnswerLog(path))
        return false;
    m_version.remember(fileStampOf(path));
    m_unsaved.clear();
    return true;
}

bool CAnswerLog::reloadIfChanged(std::string_view path)
{
    if (hasUnsavedChanges() || !fileExists(path) || !m_version.changedSince(path))
        return false;
    const CSharedFileLock lock(path);
    if (!loadAnswerLog(path))
        return false;
    changedByOthers = true;
    return true;
}

FileRequest otherLogFileRequest()
{
    FileRequest request;
    request.mode = FileDialogMode::Save;
    request.filters = { { "Log Files(*.txt)", "*.txt" } };
    request.defaultExtension = "txt";
    return request;
}

bool settleUnsavedDrills(CAnswerLog &log, std::string_view logPath, IPrompter &prompter,
                         IFileDialogs &fileDialogs)
{
    while (log.hasUnsavedChanges()) {
        switch (prompter.ask(unsavedDrillsQuestion(logPath))) {
        case Reply::Yes:
            log.updateAnswerLog(logPath, {});
            break;
        case Reply::No:
            if (const std::optional<std::string> other =
                    fileDialogs.askPath(otherLogFileRequest())) {
                if (log.saveAnswerLog(*other))
                    return true;
                prompter.ask(errorBox(logSaveFailedText(*other)));
            }
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace kvr
