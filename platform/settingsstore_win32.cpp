#ifdef _WIN32

#include <windows.h>

#include "platform/settingsstore.h"
#include "platform/textfile.h"

namespace kvr::detail {

CFileLock::CFileLock(const std::string &lockPath)
{
    HANDLE handle = CreateFileA(nativePath(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    m_handle = handle;
    OVERLAPPED whole = {};
    m_locked = LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole) != 0;
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

} // namespace kvr::detail

#endif
