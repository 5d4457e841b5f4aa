#include "app/datafolder.h"

#include <filesystem>
#include <system_error>

#include "platform/environment.h"
#include "platform/textfile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
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

} // namespace

DataLocations DataLocations::current()
{
    return DataLocations { env::programFolder(), env::dataHome(), {} };
}

std::string DataLocations::userDataFolder() const
{
    return env::joinPath(dataHome, kUserDataFolderName);
}

bool DataLocations::canWrite(const std::string &folder) const
{
    return isWritable ? isWritable(folder) : fileSystemAllowsWriting(folder);
}

std::string defaultInstallPath(const DataLocations &locations)
{
    const std::string shipped = env::joinPath(locations.programFolder, kDataFolderName);
    if (!locations.programFolder.empty() && isDirectory(shipped) && locations.canWrite(shipped))
        return locations.programFolder;
    return locations.userDataFolder();
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
    const std::string data = env::joinPath(installPath, kDataFolderName);
    if (installPath != locations.userDataFolder() || isDirectory(data))
        return true;
    bool ok = true;
    const std::string shippedSkin = env::joinPath(locations.programFolder, kSkinFolderName);
    if (isDirectory(shippedSkin))
        ok = copyTreeKeepingExisting(shippedSkin, env::joinPath(installPath, kSkinFolderName));

    // "Datas" appears whole or not at all, so a start cut short seeds again next time.
    const std::string shippedData = env::joinPath(locations.programFolder, kDataFolderName);
    const std::string partial = data + ".partial";
    std::error_code error;
    fs::remove_all(nativePath(partial), error);
    if (isDirectory(shippedData))
        ok = copyTreeKeepingExisting(shippedData, partial) && ok;
    else
        ok = env::makeFolders(partial) && ok;
    fs::rename(nativePath(partial), nativePath(data), error);
    return ok && !error;
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
