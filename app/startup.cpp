#include "app/startup.h"

#include "app/commandline.h"
#include "app/kvrsettings.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

// What tells the two loaded files apart: the setting, the texts and the reader.
struct LoadedFile
{
    std::string CKvrSettings::*path;
    const char *missingText; // UTF-8
    const char *dialogTitle;
    FileFilter filter;
    const char *openFailedPrefix;
};

const LoadedFile kDatabaseFile = {
    &CKvrSettings::DatabaseFilename,
    "データベースファイルが見つかりませんでした。次のダイアログで指定してください。",
    "データベースファイル DBv3.kvr を指定してください。",
    { "Kvr Files(*.kvr)", "*.kvr" },
    "データベースファイル ",
};

const LoadedFile kLogFile = {
    &CKvrSettings::LogPath,
    "ログファイルが見つかりませんでした。次のダイアログで指定してください。",
    "ログファイル translog.txt を指定してください。",
    { "Log Files(*.txt)", "*.txt" },
    "ログファイル ",
};

void showError(IPrompter &prompter, std::string text)
{
    prompter.ask(errorBox(std::move(text)));
}

// The file's path, asked for when no file is there. False when the dialog was cancelled.
bool locate(StartupContext &context, const LoadedFile &file)
{
    std::string &path = context.settings.*file.path;
    if (fileExists(path))
        return true;
    showError(context.prompter, cp932::text(file.missingText));
    FileRequest request;
    request.title = cp932::text(file.dialogTitle);
    request.filters = { file.filter, { cp932::text("すべて(*.*)"), "*.*" } };
    request.proposedName = path;
    request.mustExist = true;
    const std::optional<std::string> chosen = context.fileDialogs.askPath(request);
    if (!chosen)
        return false;
    path = *chosen;
    context.settings.saveAll(context.store);
    return true;
}

template <typename Read> bool load(StartupContext &context, const LoadedFile &file, Read read)
{
    if (!locate(context, file))
        return false;
    const std::string &path = context.settings.*file.path;
    if (read(path))
        return true;
    showError(context.prompter,
              cp932::text(file.openFailedPrefix) + path + cp932::text(" が開けませんでした。"));
    return false;
}

} // namespace

bool loadDatabase(StartupContext &context)
{
    return load(context, kDatabaseFile, [&](const std::string &path) {
        CQuestionDatabase fresh;
        if (!readDatabase(fresh, path))
            return false;
        context.database = std::move(fresh);
        return true;
    });
}

bool loadLog(StartupContext &context)
{
    // The log keeps its content when a load fails.
    return load(context, kLogFile,
                [&](const std::string &path) { return context.log.loadAnswerLog(path); });
}

bool saveLog(const CAnswerLog &log, const CKvrSettings &settings, IPrompter &prompter)
{
    if (log.saveAnswerLog(settings.LogPath))
        return true;
    showError(prompter, logSaveFailedText(settings.LogPath));
    return false;
}

bool loadStartupData(StartupContext &context, const std::function<void(std::string status)> &status)
{
    status(std::string(kStatusLoadingDatabase));
    if (!loadDatabase(context))
        return false;
    status(std::string(kStatusLoadingLog));
    if (!loadLog(context))
        return false;
    status(std::string(kStatusLoadingWebDictionaries));
    readWebDictionaries(context.webDictionaries, context.settings.WebdiciniPath);
    status({});
    return true;
}

bool reloadData(StartupContext &context)
{
    const bool database = loadDatabase(context);
    const bool log = loadLog(context);
    return database && log;
}

} // namespace kvr
