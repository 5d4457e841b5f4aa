#ifndef _WIN32

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/settingsstore.h"
#include "platform/textfile.h"

namespace kvr::detail {

CFileLock::CFileLock(const std::string &lockPath)
{
    m_fd = ::open(nativePath(lockPath).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return;
    int result;
    do {
        result = ::flock(m_fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    m_locked = result == 0;
}

CFileLock::~CFileLock()
{
    // Closing the descriptor drops the lock. The lock file stays: removing it would let a
    // waiting writer lock a file that a newcomer no longer sees.
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace kvr::detail

#endif
