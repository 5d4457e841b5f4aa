#include "app/startup.h"

#include "app/commandline.h"
#include "app/kvrsettings.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "history/localtime.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

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

std::string_view fileNameOf(std::string_view path)
{
    // The separator is ASCII below every trail byte on this system.
    const std::size_t slash = path.rfind(env::kPathSeparator);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

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
    if (load(context, kLogFile,
             [&](const std::string &path) { return context.log.loadAnswerLog(path); }))
        return true;
    const std::size_t line = context.log.faultLine();
    const std::string &path = context.settings.LogPath;
    if (line == 0 || !fileExists(path))
        return false;
    const IClock &clock = context.clock ? *context.clock : CSystemClock::instance();
    const std::string copy = damagedLogCopyPath(path, clock.now());
    if (context.prompter.ask(damagedLogQuestion(line, fileNameOf(copy))) != Reply::Yes)
        return false;
    const std::optional<std::string> content = readWholeFile(path);
    if (!content || !replaceFileAtomically(copy, *content)) {
        showError(context.prompter, logSaveFailedText(copy));
        return false;
    }
    return context.log.loadReadableRecords(path);
}

std::string damagedLogCopyPath(std::string_view logPath, std::int64_t time)
{
    const std::string name(fileNameOf(logPath));
    const std::size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    const std::string extension = stem.size() == name.size() ? "" : name.substr(dot);
    std::string stamp = "00000000-000000";
    if (const std::optional<std::tm> local = localTimeOf(time)) {
        stamp = formatText("%04d%02d%02d-%02d%02d%02d", local->tm_year + 1900, local->tm_mon + 1,
                           local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec);
    }
    const std::string copyName = stem + "-damaged-" + stamp + extension;
    const std::string folder = env::parentFolder(logPath);
    return folder.empty() ? copyName : env::joinPath(folder, copyName);
}

Message damagedLogQuestion(std::size_t line, std::string_view copyName)
{
    Message message = errorBox(formatText(
        cp932::text("履歴ファイルの %zu 行目が壊れています。壊れた部分を除いて読み込みますか？"
                    "（元のファイルは %s として保存されます）"),
        line, std::string(copyName).c_str()));
    message.buttons = Buttons::YesNo;
    message.icon = Icon::Question;
    return message;
}

bool saveLog(CAnswerLog &log, const CKvrSettings &settings, IPrompter &prompter)
{
    if (log.saveWholeLog(settings.LogPath))
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
