#pragma once

#include <string>

namespace kvr {

// Holds an exclusive lock on a lock file for as long as it lives (flock on POSIX, LockFileEx
// on Windows). The lock goes with the process when it dies. Lock a file of its own, never a
// data file that is replaced by rename.
class CFileLock
{
public:
    enum class Wait { Yes, No };

    explicit CFileLock(const std::string &lockPath, Wait wait = Wait::Yes);
    ~CFileLock();
    CFileLock(const CFileLock &) = delete;
    CFileLock &operator=(const CFileLock &) = delete;

    bool locked() const { return m_locked; }

private:
#ifdef _WIN32
    void *m_handle = nullptr;
#else
    int m_fd = -1;
#endif
    bool m_locked = false;
};

} // namespace kvr
