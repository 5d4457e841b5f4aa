#include "db/databaseupdate.h"

#include "platform/dailybackup.h"
#include "platform/sharedfile.h"
#include "platform/textfile.h"

namespace kvr {

DatabaseUpdate changeDatabaseFile(std::string_view path, const CQuestionDatabase &whenMissing,
                                  const std::function<bool(CQuestionDatabase &)> &change,
                                  const CDailyBackup *backup)
{
    // Outside the lock: a failed backup opens a box, and the editor must not wait on it.
    if (backup)
        backup->beforeSave(path);
    const CSharedFileLock lock(path);
    CQuestionDatabase fresh;
    if (!fileExists(path))
        fresh = whenMissing;
    else if (!readDatabase(fresh, path))
        return DatabaseUpdate::Unreadable;
    if (!change(fresh))
        return DatabaseUpdate::Refused;
    return writeDatabase(fresh, path) ? DatabaseUpdate::Saved : DatabaseUpdate::WriteFailed;
}

} // namespace kvr
