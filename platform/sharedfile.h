#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/filelock.h"

// Data files that both programs write (the database and the answer-history log). Every
// write takes the file's lock, reloads the file when it changed since this program read it,
// applies the program's own change to the fresh copy, replaces the file atomically and
// unlocks: so neither program's change is lost to the other's older copy.
namespace kvr {

// What tells one version of a file from another: an atomic replace always makes a new
// inode, and an edit in place changes the size or the modification time.
struct FileStamp
{
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileStamp &) const = default;
};

// The stamp of the file at path (CP932), following symbolic links; a missing file has the
// stamp of its own.
FileStamp fileStampOf(std::string_view path);

// The lock file beside a data file: its name with ".lock" added. (Never the data file
// itself: the atomic replace gives it a new inode at every write.)
std::string sharedLockPath(std::string_view path);

// The exclusive lock of a shared data file, held for as long as the object lives. It waits
// for another holder. When the lock file cannot be made (a read-only folder, where the write
// itself will fail) the object holds nothing and the caller goes on unlocked.
class CSharedFileLock
{
public:
    explicit CSharedFileLock(std::string_view dataPath);
    bool locked() const { return m_lock.locked(); }

private:
    CFileLock m_lock;
};

// The version of a shared file this program last read or wrote.
class CFileVersion
{
public:
    // Remembers a version: the stamp taken before a read (a file replaced during the read
    // then counts as changed), or after a write made under the lock.
    void remember(const FileStamp &stamp) { m_stamp = stamp; }
    void forget() { m_stamp.reset(); }
    // True when the file is not the version taken last, or none was taken.
    bool changedSince(std::string_view path) const
    {
        return !m_stamp || *m_stamp != fileStampOf(path);
    }

private:
    std::optional<FileStamp> m_stamp;
};

} // namespace kvr
