#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvr {
class IPrompter;
}

// The two installer actions: Commit at the end of an installation (show the read-me, start
// the study program) and Uninstall during a removal (offer to delete the learner's database
// and history, or stop the removal). The installer, the message boxes and the shell reach
// them through the seams below, so every answer and failure can be scripted.
namespace kvr::install {

constexpr unsigned kActionSuccess = 0;
constexpr unsigned kActionUserExit = 1602; // the installer's code for a removal stopped by the user

// The installer property with the folder, used as a prefix: it must end with a separator.
constexpr std::string_view kFolderProperty = "CustomActionData";
constexpr std::size_t kPropertyBufferSize = 260;

#ifdef _WIN32
constexpr std::string_view kProgramFile = "Kvr.exe";
constexpr std::string_view kDatabaseFile = "Datas\\DBv3.kvr";
constexpr std::string_view kLogFile = "Datas\\translog.txt";
#else
constexpr std::string_view kProgramFile = "Kvr";
constexpr std::string_view kDatabaseFile = "Datas/DBv3.kvr";
constexpr std::string_view kLogFile = "Datas/translog.txt";
#endif
constexpr std::string_view kReadmeFile = "Readme.txt";

// The running installation.
class IInstallerSession
{
public:
    virtual ~IInstallerSession() = default;
    // The property's text as a buffer of kPropertyBufferSize bytes holds it; false when the
    // read failed, value then holds whatever the buffer got.
    virtual bool readProperty(std::string_view name, std::string &value) = 0;
    // An error record whose field 0 is text, sent to the installer.
    virtual void sendError(const std::string &text) = 0;
};

// What the actions ask of the operating system. Paths are CP932.
class IInstallShell
{
public:
    virtual ~IInstallShell() = default;
    virtual bool openDocument(const std::string &path) = 0;
    // Starts the program in folder and does not wait for it.
    virtual bool startProgram(const std::string &path, const std::string &folder) = 0;
    virtual bool deleteFile(const std::string &path) = 0;
};

struct ActionServices
{
    IInstallerSession &session;
    IPrompter &prompter;
    IInstallShell &shell;
};

// Opens the read-me and starts the study program; always kActionSuccess.
unsigned commitAction(ActionServices services);

// Asks about the database, then the history log, deleting each only after a confirmation;
// kActionUserExit (with an error record sent) when the learner cancels, else kActionSuccess.
unsigned uninstallAction(ActionServices services);

// The exit status of the host program that runs an action for a shell script (which would
// see 1602 as 66): 0 success, 3 the removal stopped, 1 anything else.
int hostExitStatus(unsigned actionResult);

} // namespace kvr::install
