#include "app/datafolder.h"

#include <filesystem>
#include <system_error>

#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/textfile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

// The shipped folder seen from the program folder; the build sets it from the install
// layout it was configured with.
#ifndef KVR_SHIPPED_FROM_PROGRAM
#define KVR_SHIPPED_FROM_PROGRAM ""
#endif

namespace kvr {

namespace fs = std::filesystem;

namespace {

// Asks the file system; for root this sees read-only mounts but not permission bits.
bool fileSystemAllowsWriting(const std::string &folder)
{
    if (!isDirectory(folder))
        return false;
#ifdef _WIN32
    return ::_access(nativePath(folder).c_str(), 2) == 0;
#else
    return ::access(nativePath(folder).c_str(), W_OK | X_OK) == 0;
#endif
}

bool existsAt(const std::string &path)
{
    std::error_code error;
    return fs::exists(fs::path(nativePath(path)), error);
}

bool isEmptyFolder(const std::string &path)
{
    std::error_code error;
    return fs::is_empty(fs::path(nativePath(path)), error) && !error;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string shippedVersion(const DataLocations &locations)
{
    const std::string file = locations.findShipped(kShippedVersionFileName);
    return file.empty() ? std::string() : trimmed(readWholeFile(file).value_or(""));
}

// A missing "Datas" appears whole or not at all, so a start cut short seeds again next time.
bool seedWholeDataFolder(const std::string &shippedData, const std::string &data)
{
    const std::string partial = data + ".partial";
    std::error_code error;
    fs::remove_all(nativePath(partial), error);
    bool ok = shippedData.empty() ? env::makeFolders(partial)
                                  : copyTreeKeepingExisting(shippedData, partial);
    if (isDirectory(data)) // empty: rename would not replace it everywhere
        fs::remove(nativePath(data), error);
    error.clear();
    fs::rename(nativePath(partial), nativePath(data), error);
    return ok && !error;
}

} // namespace

DataLocations DataLocations::current()
{
    DataLocations locations { env::programFolder(), env::dataHome(), {}, {} };
    const std::string relative = KVR_SHIPPED_FROM_PROGRAM;
    if (!relative.empty()) {
        // Only "/" and ".." are looked at, which CP932 bytes never form inside a character.
        const fs::path joined = fs::path(env::joinPath(locations.programFolder, relative));
        locations.shippedFolder = joined.lexically_normal().string();
        if (!locations.shippedFolder.empty() && locations.shippedFolder.back() == '/')
            locations.shippedFolder.pop_back();
    }
    return locations;
}

std::string DataLocations::userDataFolder() const
{
    return env::joinPath(dataHome, kUserDataFolderName);
}

bool DataLocations::canWrite(const std::string &folder) const
{
    return isWritable ? isWritable(folder) : fileSystemAllowsWriting(folder);
}

bool DataLocations::isPortable() const
{
    if (programFolder.empty())
        return false;
    const std::string data = env::joinPath(programFolder, kDataFolderName);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(fs::path(nativePath(data)), error);
    return !error && fs::is_directory(status) && canWrite(data);
}

std::string DataLocations::findShipped(std::string_view name) const
{
    for (const std::string *folder : { &programFolder, &shippedFolder }) {
        if (folder->empty())
            continue;
        const std::string path = env::joinPath(*folder, name);
        if (existsAt(path))
            return path;
    }
    return std::string();
}

std::string defaultInstallPath(const DataLocations &locations)
{
    return locations.isPortable() ? locations.programFolder : locations.userDataFolder();
}

bool copyTreeKeepingExisting(const std::string &from, const std::string &to)
{
    const fs::path source(nativePath(from));
    const fs::path target(nativePath(to));
    std::error_code error;
    fs::create_directories(target, error);
    if (error)
        return false;
    bool ok = true;
    for (fs::recursive_directory_iterator it(source, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path destination = target / fs::relative(it->path(), source);
        std::error_code step;
        if (it->is_directory(step))
            fs::create_directories(destination, step);
        else if (it->is_regular_file(step))
            fs::copy_file(it->path(), destination, fs::copy_options::skip_existing, step);
        ok = ok && !step;
    }
    return ok && !error;
}

bool seedUserData(const std::string &installPath, const DataLocations &locations)
{
    if (installPath != locations.userDataFolder())
        return true;
    const std::string data = env::joinPath(installPath, kDataFolderName);
    const std::string stamp = env::joinPath(installPath, kSeededStampFileName);
    const std::string version = shippedVersion(locations);
    const bool dataMissing = !isDirectory(data) || isEmptyFolder(data);
    const bool upgraded =
        trimmed(readWholeFile(stamp).value_or("")) != version || !fileExists(stamp);
    if (!dataMissing && !upgraded)
        return true;

    bool ok = env::makeFolders(installPath);
    const std::string shippedSkin = locations.findShipped(kSkinFolderName);
    if (ok && !shippedSkin.empty())
        ok = copyTreeKeepingExisting(shippedSkin, env::joinPath(installPath, kSkinFolderName));
    const std::string shippedData = locations.findShipped(kDataFolderName);
    if (dataMissing)
        ok = seedWholeDataFolder(shippedData, data) && ok;
    else if (!shippedData.empty())
        ok = copyTreeKeepingExisting(shippedData, data) && ok;
    return ok && replaceFileAtomically(stamp, version + "\n");
}

Message seedFailedMessage(const std::string &installPath)
{
    return errorBox(cp932::text("データフォルダ ") + env::joinPath(installPath, kDataFolderName)
                    + cp932::text(" に初期データを用意できませんでした。"));
}

std::unique_ptr<CFileLock> claimDataFolder(const std::string &logPath)
{
    const std::string folder = env::parentFolder(logPath);
    const std::string lockPath = env::joinPath(folder.empty() ? "." : folder, kInstanceLockName);
#ifndef _WIN32
    if (::access(nativePath(folder.empty() ? "." : folder).c_str(), W_OK) != 0)
        return nullptr;
#endif
    return std::make_unique<CFileLock>(lockPath, CFileLock::Wait::No);
}

} // namespace kvr
