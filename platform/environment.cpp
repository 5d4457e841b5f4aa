#include "platform/environment.h"

#include <cstdlib>
#include <string>

#include "platform/cp932.h"
#include "platform/textfile.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kvr::env {

namespace {

// A folder of the machine as a path: its bytes survive the way back (nativePath).
std::string fromNative(std::string_view native)
{
#ifdef _WIN32
    return std::string(native);
#else
    return cp932::fromNativePath(native);
#endif
}

// A name that goes into the data and onto the screen: plain CP932.
std::string nameFromNative(std::string_view native)
{
#ifdef _WIN32
    return std::string(native);
#else
    return cp932::fromUtf8(native).bytes;
#endif
}

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

std::string joinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    if (path.empty() || path.back() != kPathSeparator)
        path.push_back(kPathSeparator);
    path.append(name);
    return path;
}

std::string parentFolder(std::string_view path)
{
    const std::size_t separator = path.find_last_of(kPathSeparator == '/' ? "/" : "\\/");
    if (separator == std::string_view::npos)
        return std::string();
    return std::string(path.substr(0, separator == 0 ? 1 : separator));
}

#ifdef _WIN32

std::string userName()
{
    char name[256];
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

std::string programFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return parentFolder(std::string_view(path, n));
}

std::string desktopFolder()
{
    char path[MAX_PATH];
    return SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE) ? path : "";
}

std::string homeFolder()
{
    return variable("USERPROFILE");
}
std::string configHome()
{
    return variable("APPDATA");
}
std::string dataHome()
{
    return variable("APPDATA");
}
std::string runtimeFolder()
{
    return variable("TEMP");
}

bool makeFolders(std::string_view path)
{
    return SHCreateDirectoryExA(nullptr, std::string(path).c_str(), nullptr) == ERROR_SUCCESS
        || isDirectory(path);
}

bool copyFile(std::string_view from, std::string_view to)
{
    return CopyFileA(std::string(from).c_str(), std::string(to).c_str(), FALSE) != 0;
}

#else

std::string userName()
{
    if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_name)
        return nameFromNative(entry->pw_name);
    return nameFromNative(variable("USER"));
}

std::string programFolder()
{
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0)
        return fromNative(".");
    buffer.resize(static_cast<std::size_t>(n));
    return fromNative(parentFolder(buffer));
}

std::string homeFolder()
{
    std::string home = variable("HOME");
    if (home.empty()) {
        if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    }
    return fromNative(home);
}

std::string configHome()
{
    const std::string config = variable("XDG_CONFIG_HOME");
    return config.empty() ? joinPath(homeFolder(), ".config") : fromNative(config);
}

std::string dataHome()
{
    const std::string data = variable("XDG_DATA_HOME");
    return data.empty() ? joinPath(homeFolder(), ".local/share") : fromNative(data);
}

// The desktop as the XDG user-dirs file names it (e.g. ~/デスクトップ), else ~/Desktop.
std::string desktopFolder()
{
    CLineReader reader;
    if (reader.open(joinPath(configHome(), "user-dirs.dirs"))) {
        std::string_view line;
        constexpr std::string_view key = "XDG_DESKTOP_DIR=\"";
        while (reader.next(line)) {
            if (line.substr(0, key.size()) != key || line.back() != '"')
                continue;
            std::string_view value = line.substr(key.size(), line.size() - key.size() - 1);
            constexpr std::string_view home = "$HOME";
            if (value.substr(0, home.size()) == home)
                return homeFolder() + fromNative(value.substr(home.size()));
            return fromNative(value);
        }
    }
    return joinPath(homeFolder(), "Desktop");
}

namespace {

// A folder only this user can reach: a folder itself (not a link), owned by the user, closed
// to group and others. Another local user who creates the folder first, or a link to one,
// cannot then hold our lock files or keep the program from starting.
bool isPrivateFolder(const std::string &native)
{
    struct stat info;
    return ::lstat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid()
        && (info.st_mode & 077) == 0;
}

bool makePrivateFolder(const std::string &native)
{
    ::mkdir(native.c_str(), 0700);
    return isPrivateFolder(native);
}

} // namespace

std::string runtimeFolder()
{
    const std::string runtime = variable("XDG_RUNTIME_DIR");
    if (!runtime.empty() && isPrivateFolder(runtime))
        return fromNative(runtime);
    std::string temp = variable("TMPDIR");
    if (temp.empty())
        temp = "/tmp";
    const std::string shared = temp + "/kelvora-" + std::to_string(::getuid());
    if (makePrivateFolder(shared))
        return fromNative(shared);
    // The temp folder is shared with every local user: fall back on one under the user's own
    // cache folder.
    std::string cache = variable("XDG_CACHE_HOME");
    if (cache.empty())
        cache = nativePath(joinPath(homeFolder(), ".cache"));
    makeFolders(fromNative(cache));
    const std::string own = cache + "/kelvora-runtime";
    makePrivateFolder(own);
    return fromNative(own);
}

bool makeFolders(std::string_view path)
{
    const std::string native = nativePath(path);
    for (std::size_t pos = 1; pos <= native.size(); ++pos) {
        if (pos == native.size() || native[pos] == '/') {
            const std::string prefix = native.substr(0, pos);
            if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
                return false;
        }
    }
    return isDirectory(path);
}

bool copyFile(std::string_view from, std::string_view to)
{
    const std::optional<std::string> content = readWholeFile(from);
    return content && replaceFileAtomically(to, *content);
}

#endif

} // namespace kvr::env
