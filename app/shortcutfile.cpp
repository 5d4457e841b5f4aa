#include "app/shortcut.h"
#include "platform/environment.h"
#include "platform/textfile.h"

#ifndef _WIN32
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kvr {

#ifdef _WIN32

// Shell links (IShellLinkA) belong here; no Windows build exists yet.
std::string writeDesktopShortcut(const std::string &, const DesktopShortcut &)
{
    return {};
}

#else

namespace {

bool writeAll(int fd, const std::string &contents)
{
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Like replaceFileAtomically, but the temporary file has a short name of its own (the
// target's name may already be as long as a name can be) and the mode a launcher needs.
bool replaceExecutable(const std::string &nativeFolder, const std::string &nativeTarget,
                       const std::string &contents)
{
    std::string temporary = nativeFolder + "/.kvr-shortcut-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0755) == 0 && writeAll(fd, contents) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), nativeTarget.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    const int folder = ::open(nativeFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

// The folder's own limit where it is stricter than the usual one (eCryptfs takes 143 bytes).
std::size_t nameLimit(const std::string &nativeFolder)
{
    const long limit = ::pathconf(nativeFolder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? std::min<std::size_t>(std::size_t(limit), kMaxFileNameBytes)
                     : kMaxFileNameBytes;
}

} // namespace

std::string writeDesktopShortcut(const std::string &desktopFolder, const DesktopShortcut &shortcut)
{
    bool ok = true;
    const std::string text = desktopEntryText(shortcut, ok);
    // A fresh account may have no desktop folder yet: make the one the desktop names.
    if (!ok || desktopFolder.empty() || !env::makeFolders(desktopFolder))
        return {};
    const std::string folder = nativePath(desktopFolder);
    const std::string path =
        env::joinPath(desktopFolder, shortcutFileName(shortcut.collectionPath, nameLimit(folder)));
    if (!replaceExecutable(folder, nativePath(path), text))
        return {};
    return path;
}

#endif

} // namespace kvr
