#include "platform/sharedfile.h"

#include <filesystem>
#include <system_error>

#include "platform/textfile.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kvr {

FileStamp fileStampOf(std::string_view path)
{
    FileStamp stamp;
#ifdef _WIN32
    std::error_code error;
    const std::filesystem::path native(nativePath(path));
    const auto size = std::filesystem::file_size(native, error);
    if (error)
        return stamp;
    stamp.exists = true;
    stamp.size = size;
    stamp.modifiedNs = std::filesystem::last_write_time(native, error).time_since_epoch().count();
#else
    struct stat info;
    if (::stat(nativePath(path).c_str(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedNs =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
#endif
    return stamp;
}

std::string sharedLockPath(std::string_view path)
{
    return std::string(path) + ".lock";
}

CSharedFileLock::CSharedFileLock(std::string_view dataPath)
    : m_lock(sharedLockPath(dataPath))
{
}

} // namespace kvr
