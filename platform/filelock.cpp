#include "platform/filelock.h"

#include "platform/textfile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace kvr {

#ifdef _WIN32

CFileLock::CFileLock(const std::string &lockPath, Wait wait)
{
    HANDLE handle = CreateFileA(nativePath(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    m_handle = handle;
    OVERLAPPED whole = {};
    const DWORD flags =
        LOCKFILE_EXCLUSIVE_LOCK | (wait == Wait::No ? LOCKFILE_FAIL_IMMEDIATELY : 0);
    m_locked = LockFileEx(handle, flags, 0, MAXDWORD, MAXDWORD, &whole) != 0;
}

CFileLock::~CFileLock()
{
    if (!m_handle)
        return;
    if (m_locked) {
        OVERLAPPED whole = {};
        UnlockFileEx(static_cast<HANDLE>(m_handle), 0, MAXDWORD, MAXDWORD, &whole);
    }
    CloseHandle(static_cast<HANDLE>(m_handle));
}

#else

CFileLock::CFileLock(const std::string &lockPath, Wait wait)
{
    m_fd = ::open(nativePath(lockPath).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return;
    const int operation = LOCK_EX | (wait == Wait::No ? LOCK_NB : 0);
    int result;
    do {
        result = ::flock(m_fd, operation);
    } while (result != 0 && errno == EINTR);
    m_locked = result == 0;
}

CFileLock::~CFileLock()
{
    // Closing the descriptor drops the lock. The lock file stays: removing it would let a
    // waiting holder lock a file that a newcomer no longer sees.
    if (m_fd >= 0)
        ::close(m_fd);
}

#endif

} // namespace kvr
