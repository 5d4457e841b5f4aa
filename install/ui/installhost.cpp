#include "install/ui/installhost.h"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <map>

#include <QApplication>
#include <QIcon>

#include "app/datafolder.h"
#include "install/installactions.h"
#include "install/kvrinstall.h"
#include "install/messageboxcodes.h"
#include "platform/environment.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtprompter.h"

namespace kvr::ui {

namespace {

constexpr char kModuleFile[] = "libKvrInstall.so";

// The installer session the module sees: one property, records kept until closed.
struct HostSession
{
    std::string folder;
    IPrompter &prompter;
    std::map<KvrInstallHandle, std::string> records;
    KvrInstallHandle nextRecord = 1;
    std::vector<std::string> errors;

    static HostSession &of(void *context) { return *static_cast<HostSession *>(context); }

    static unsigned getProperty(void *context, const char *name, char *value, unsigned long *size)
    {
        const std::string &folder = of(context).folder;
        if (std::strcmp(name, install::kFolderProperty.data()) != 0 || !value || *size == 0)
            return 1;
        const std::size_t n = std::min<std::size_t>(folder.size(), *size - 1);
        std::memcpy(value, folder.data(), n);
        value[n] = '\0';
        const bool fits = folder.size() < *size;
        *size = folder.size();
        return fits ? KVR_INSTALL_SUCCESS : KVR_INSTALL_MORE_DATA;
    }
    static KvrInstallHandle createRecord(void *context, unsigned)
    {
        HostSession &s = of(context);
        s.records[s.nextRecord] = std::string();
        return s.nextRecord++;
    }
    static unsigned setString(void *context, KvrInstallHandle record, unsigned field,
                              const char *value)
    {
        auto found = of(context).records.find(record);
        if (found == of(context).records.end())
            return 6; // an invalid handle
        if (field == 0)
            found->second = value ? value : "";
        return 0;
    }
    static int processMessage(void *context, unsigned type, KvrInstallHandle record)
    {
        HostSession &s = of(context);
        auto found = s.records.find(record);
        if (type != KVR_INSTALLMESSAGE_ERROR || found == s.records.end())
            return -1;
        s.errors.push_back(found->second);
        return 1;
    }
    static unsigned closeHandle(void *context, KvrInstallHandle handle)
    {
        return of(context).records.erase(handle) == 1 ? 0 : 6;
    }
    static int messageBox(void *context, const char *text, const char *caption, unsigned type)
    {
        const Message message = install::messageFromBox(text, caption, type);
        return install::boxResult(of(context).prompter.ask(message));
    }
};

std::string withSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != env::kPathSeparator)
        folder += env::kPathSeparator;
    return folder;
}

// The learner's data folder as the study program has it, read without writing anything.
std::string learnerFolder()
{
    const std::unique_ptr<ISettingsStore> store = openUserSettings();
    const std::string stored = store->readString("Options", "InstallPath").value_or("");
    return stored.empty() ? defaultInstallPath(DataLocations::current()) : stored;
}

int usage()
{
    std::fputs("usage: kelvora-install commit|uninstall\n", stderr);
    return 1;
}

} // namespace

InstallHostResult runInstallAction(const std::string &modulePath, const char *action,
                                   const std::string &folder, IPrompter &prompter)
{
    InstallHostResult result;
    void *module = ::dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        std::fprintf(stderr, "kelvora-install: %s\n", ::dlerror());
        return result;
    }
    const auto run = reinterpret_cast<KvrInstallAction>(::dlsym(module, action));
    if (run) {
        HostSession session { folder, prompter, {}, 1, {} };
        KvrInstaller installer { &session,
                                 &HostSession::getProperty,
                                 &HostSession::createRecord,
                                 &HostSession::setString,
                                 &HostSession::processMessage,
                                 &HostSession::closeHandle,
                                 &HostSession::messageBox };
        result.loaded = true;
        result.actionResult = run(&installer);
        result.errors = std::move(session.errors);
    }
    ::dlclose(module);
    return result;
}

int runInstallHost(int &argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.example.kelvora.kvr")));
    installFontSubstitutions();
    const QStringList args = QApplication::arguments();
    if (args.size() != 2)
        return usage();
    const bool commit = args[1] == QStringLiteral("commit");
    if (!commit && args[1] != QStringLiteral("uninstall"))
        return usage();

    const std::string programFolder = env::programFolder();
    const std::string folder = withSeparator(commit ? programFolder : learnerFolder());
    CQtPrompter prompter { QString() };
    const InstallHostResult result =
        runInstallAction(nativePath(env::joinPath(programFolder, kModuleFile)),
                         commit ? "Commit" : "Uninstall", folder, prompter);
    for (const std::string &error : result.errors)
        std::fprintf(stderr, "%s\n", qtext(error).toLocal8Bit().constData());
    return result.loaded ? install::hostExitStatus(result.actionResult) : 1;
}

} // namespace kvr::ui
