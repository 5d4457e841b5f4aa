#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/filelock.h"

// Where the study program keeps its data files. The shipped files ("Datas", "skin") lie in
// the program's own folder; when that folder cannot be written (an install under /usr, say),
// each user gets a copy under the per-user data folder instead.
namespace kvr {

constexpr std::string_view kDataFolderName = "Datas";
constexpr std::string_view kSkinFolderName = "skin";
constexpr std::string_view kUserDataFolderName = "Kelvora";

// The folders the choice depends on; tests point them at temporary folders.
struct DataLocations
{
    std::string programFolder; // folder of the running program file
    std::string dataHome; // the per-user data root (XDG_DATA_HOME)
    // Whether a folder may be written to; when empty, the file system is asked.
    std::function<bool(const std::string &)> isWritable;

    static DataLocations current();

    // dataHome + "/Kelvora"
    std::string userDataFolder() const;
    bool canWrite(const std::string &folder) const;
};

// The default InstallPath: the program folder when its "Datas" exists and can be written,
// otherwise the per-user data folder.
std::string defaultInstallPath(const DataLocations &locations);

// Start-up calls this right after loading the settings, with their InstallPath.
// When installPath is the per-user data folder and it has no "Datas" yet, fills it with
// copies of the program folder's "Datas" and "skin" trees (existing files are never
// overwritten; an empty "Datas" is made when nothing is shipped). False when a folder or
// file could not be made.
bool seedUserData(const std::string &installPath, const DataLocations &locations);

// Copies every file below from into the same place below to, making folders as needed and
// keeping files that already exist at the target.
bool copyTreeKeepingExisting(const std::string &from, const std::string &to);

// The single-instance marker beside the learner's data: a lock on "Kvr.instance.lock" in
// the log's folder, so one data folder has one study program whatever runtime folder su,
// cron or a launcher gives a copy. The lock, held while the returned object lives (not
// locked: another copy holds it); nullptr when the folder cannot take a lock file (a
// read-only data folder, where no save can clash anyway).
constexpr std::string_view kInstanceLockName = "Kvr.instance.lock";
std::unique_ptr<CFileLock> claimDataFolder(const std::string &logPath);

} // namespace kvr
