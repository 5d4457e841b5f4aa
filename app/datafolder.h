#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/filelock.h"
#include "platform/prompter.h"

// Where the study program keeps its data files.
//
// Portable: a real "Datas" folder that can be written lies beside the program (the build
// tree, a copied folder); the data lives there. Installed: anything else; the data lives in
// the per-user folder (dataHome + "/Kelvora"), for root as for everyone, and is seeded from
// the shipped, read-only folder that the install put at a place relative to the program
// folder fixed when the build was configured.
namespace kvr {

constexpr std::string_view kDataFolderName = "Datas";
constexpr std::string_view kSkinFolderName = "skin";
constexpr std::string_view kUserDataFolderName = "Kelvora";
constexpr std::string_view kReadmeFileName = "Readme.txt";
// In the shipped folder: the version of the files shipped with it.
constexpr std::string_view kShippedVersionFileName = "version";
// In the per-user folder: the shipped version it was last seeded from.
constexpr std::string_view kSeededStampFileName = ".seeded-version";

// The folders the choice depends on; tests point them at temporary folders.
struct DataLocations
{
    std::string programFolder; // folder of the running program file
    std::string dataHome; // the per-user data root (XDG_DATA_HOME)
    // Whether a folder may be written to; when empty, the file system is asked.
    std::function<bool(const std::string &)> isWritable;
    // The installed, read-only data; empty: the program folder's own files only.
    std::string shippedFolder;

    static DataLocations current();

    // dataHome + "/Kelvora"
    std::string userDataFolder() const;
    bool canWrite(const std::string &folder) const;
    // A real, writable "Datas" folder beside the program (a symbolic link does not count).
    bool isPortable() const;
    // name in the program folder when it is there, else in the shipped folder; empty when
    // neither has it. Used for the read-me, the skins and the starter data.
    std::string findShipped(std::string_view name) const;
};

// The default InstallPath: the program folder when portable, otherwise the per-user folder.
std::string defaultInstallPath(const DataLocations &locations);

// Start-up calls this right after loading the settings, with their InstallPath. When that is
// the per-user folder, copies every shipped file that is missing there ("Datas" and "skin")
// when "Datas" is missing or empty, or when the shipped version differs from the stamp left
// by the last seeding. A file already there is never overwritten. False when a folder or a
// file could not be made; the stamp is then not written, so the next start tries again.
bool seedUserData(const std::string &installPath, const DataLocations &locations);

// What start-up shows when seeding failed.
Message seedFailedMessage(const std::string &installPath);

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
