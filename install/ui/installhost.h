#pragma once

#include <string>
#include <vector>

namespace kvr {
class IPrompter;
}

// kelvora-install: plays the installer's part for the installer module on a desktop where
// no installer runs the actions (a package manager cannot ask a learner anything).
namespace kvr::ui {

struct InstallHostResult
{
    bool loaded = false; // the module and its action were found
    unsigned actionResult = 0;
    std::vector<std::string> errors; // error records the action sent (CP932)
};

// Loads the module at modulePath (a native file name) and runs the action ("Commit" or "Uninstall")
// with folder as "CustomActionData" and the prompter as its message box.
InstallHostResult runInstallAction(const std::string &modulePath, const char *action,
                                   const std::string &folder, IPrompter &prompter);

// The program: "commit" runs Commit over the program folder, "uninstall" runs Uninstall
// over the learner's data folder. Exit 0 on success, 3 when the removal was stopped, 1
// otherwise.
int runInstallHost(int &argc, char **argv);

} // namespace kvr::ui
