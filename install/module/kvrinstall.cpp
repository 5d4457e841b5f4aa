// libKvrInstall: the installer actions behind a C interface. Only Commit and Uninstall are
// exported; everything else, the static libraries included, stays inside.
#include "install/kvrinstall.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "install/installactions.h"
#include "install/messageboxcodes.h"
#include "platform/textfile.h"

extern char **environ;

namespace kvr::install {

namespace {

class CModuleSession final : public IInstallerSession
{
public:
    explicit CModuleSession(KvrInstaller &installer)
        : m_installer(installer)
    {
    }
    bool readProperty(std::string_view name, std::string &value) override
    {
        std::vector<char> buffer(kPropertyBufferSize, '\0');
        unsigned long size = buffer.size();
        const unsigned status = m_installer.getProperty
            ? m_installer.getProperty(m_installer.context, std::string(name).c_str(), buffer.data(),
                                      &size)
            : KVR_INSTALL_FAILURE;
        buffer.back() = '\0';
        value = buffer.data();
        return status == KVR_INSTALL_SUCCESS;
    }
    void sendError(const std::string &text) override
    {
        void *context = m_installer.context;
        if (!m_installer.createRecord)
            return;
        const KvrInstallHandle record = m_installer.createRecord(context, 0);
        if (m_installer.recordSetString)
            m_installer.recordSetString(context, record, 0, text.c_str());
        if (m_installer.processMessage)
            m_installer.processMessage(context, KVR_INSTALLMESSAGE_ERROR, record);
        if (m_installer.closeHandle)
            m_installer.closeHandle(context, record);
    }

private:
    KvrInstaller &m_installer;
};

class CModulePrompter final : public IPrompter
{
public:
    explicit CModulePrompter(KvrInstaller &installer)
        : m_installer(installer)
    {
    }
    Reply ask(const Message &message) override
    {
        if (!m_installer.messageBox) {
            std::fprintf(stderr, "%s\n%s\n", message.caption.c_str(), message.text.c_str());
            return defaultReply(message);
        }
        const int result = m_installer.messageBox(m_installer.context, message.text.c_str(),
                                                  message.caption.c_str(), messageBoxType(message));
        return replyFromBoxResult(result, message.buttons);
    }

private:
    KvrInstaller &m_installer;
};

// Starts a command in folder through a shell that puts it in the background and ends at
// once, so nothing is left waiting and no child is left unreaped. False when the folder or
// the command is not there.
bool startDetached(const std::string &folder, const std::vector<std::string> &command)
{
    std::vector<std::string> args = { "sh", "-c",
                                      "cd -- \"$0\" || exit 1; command -v -- \"$1\" >/dev/null "
                                      "|| exit 127; \"$@\" </dev/null >/dev/null 2>&1 & exit 0",
                                      folder.empty() ? std::string(".") : folder };
    args.insert(args.end(), command.begin(), command.end());
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class CPosixShell final : public IInstallShell
{
public:
    bool openDocument(const std::string &path) override
    {
        return fileExists(path) && startDetached(".", { "xdg-open", nativePath(path) });
    }
    bool startProgram(const std::string &path, const std::string &folder) override
    {
        const std::string program = nativePath(path);
        return ::access(program.c_str(), X_OK) == 0
            && startDetached(nativePath(folder), { program });
    }
    bool deleteFile(const std::string &path) override
    {
        return ::unlink(nativePath(path).c_str()) == 0;
    }
};

unsigned runAction(KvrInstaller *installer, unsigned (*action)(ActionServices))
{
    if (!installer)
        return KVR_INSTALL_FAILURE;
    // Nothing may unwind into the caller, which may not even be C++.
    try {
        CModuleSession session(*installer);
        CModulePrompter prompter(*installer);
        CPosixShell shell;
        return action(ActionServices { session, prompter, shell });
    } catch (...) {
        return KVR_INSTALL_FAILURE;
    }
}

} // namespace

} // namespace kvr::install

extern "C" {

__attribute__((visibility("default"))) unsigned Commit(KvrInstaller *installer)
{
    return kvr::install::runAction(installer, kvr::install::commitAction);
}

__attribute__((visibility("default"))) unsigned Uninstall(KvrInstaller *installer)
{
    return kvr::install::runAction(installer, kvr::install::uninstallAction);
}

} // extern "C"
