#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvr {

class IClock;
class IPrompter;

// Dated copies of a data file in the folder "backup" beside it: "DBv3.kvr" becomes
// "backup/DBv3-20261210.kvr" (the day's backup) or "backup/DBv3-20261210-153000.kvr" (a
// copy kept at a given moment, before a restore). Paths are CP932.
std::string backupFolderOf(std::string_view dataPath);
// stamp: YYYYMMDD or YYYYMMDD-HHMMSS.
std::string backupPathOf(std::string_view dataPath, std::string_view stamp);
// The local date of a time (seconds since 1970) as YYYYMMDD, and with the time as
// YYYYMMDD-HHMMSS.
std::string backupDateOf(std::int64_t time);
std::string backupMomentOf(std::int64_t time);

struct BackupFile
{
    std::string path;
    std::string stamp; // YYYYMMDD or YYYYMMDD-HHMMSS
    std::uint64_t size = 0;
};
// The backups of the data file, newest first.
std::vector<BackupFile> listBackups(std::string_view dataPath);

// Copies the data file to the backup of the given stamp (atomically; byte for byte) and
// removes the oldest ones beyond the newest kKeptBackups. False when the copy fails.
inline constexpr std::size_t kKeptBackups = 10;
bool writeBackup(std::string_view dataPath, std::string_view stamp);

// The message told when a backup could not be made (CP932).
std::string backupFailedText(std::string_view dataPath);

// Taken before every save of the database and of the answer-history log: the first save of
// a day copies the file as it is into its backup folder. Whether today's copy is there is
// read from the folder, so both programs share one copy a day. A failed copy is told and
// never stops the save.
class CDailyBackup
{
public:
    CDailyBackup(const IClock &clock, IPrompter &prompter)
        : m_clock(clock)
        , m_prompter(prompter)
    {
    }
    // Call without holding the file's lock: a failure opens a message box. Each write
    // replaces the file atomically, so the copy is always a whole version of it.
    void beforeSave(std::string_view dataPath) const;

private:
    const IClock &m_clock;
    IPrompter &m_prompter;
};

} // namespace kvr
