#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/webdictionary.h"
#include "platform/filedialogs.h"
#include "platform/prompter.h"

namespace kvr {

class CAnswerLog;
class IClock;
class IPrompter;
class ISettingsStore;
struct CKvrSettings;
struct CQuestionDatabase;

// What the loading routines read and change. Everything outlives the call.
//
// The loader may run off the user-interface thread (the splash window waits for it). It
// calls prompter and fileDialogs directly; the Qt implementations passed in here must
// carry such calls over to the user-interface thread and block until they return. The
// loaded data must not be touched elsewhere until loading has finished.
struct StartupContext
{
    CKvrSettings &settings;
    ISettingsStore &store; // a path chosen in a missing-file dialog is saved at once
    CQuestionDatabase &database;
    CAnswerLog &log;
    std::vector<WebDictionary> &webDictionaries;
    IPrompter &prompter; // start-up error boxes
    IFileDialogs &fileDialogs; // the missing-file dialogs
    // The time of a damaged log's copy; the system clock when none is given.
    const IClock *clock = nullptr;
};

// The status line of the loading window while each file is read; empty hides it.
constexpr std::string_view kStatusLoadingDatabase = "Loading database...";
constexpr std::string_view kStatusLoadingLog = "Loading logfiles...";
constexpr std::string_view kStatusLoadingWebDictionaries = "Loading webdic-inifile...";

// The database at settings.DatabaseFilename. A missing file is asked for (message, then
// the file dialog; a chosen path is stored with saveAll at once; cancel returns false and
// changes nothing). The file is read into a fresh tree that replaces the database only when
// it reads completely; an unreadable file is reported ("データベースファイル <path> が開け
// ませんでした。") and leaves the database as it was, so a failed reload cannot lead to a
// partial tree being written back over the file.
bool loadDatabase(StartupContext &context);

// The answer-history log at settings.LogPath, the same way ("ログファイル…"). When a line of
// it is damaged, the refusal is followed by the question damagedLogQuestion: Yes copies the
// file aside (damagedLogCopyPath) and loads the records that read; No fails as before.
bool loadLog(StartupContext &context);

// "<name>-damaged-YYYYMMDD-HHMMSS<ext>" beside the log, at the local time given.
std::string damagedLogCopyPath(std::string_view logPath, std::int64_t time);
// "履歴ファイルの N 行目が壊れています。壊れた部分を除いて読み込みますか？（元のファイルは
// <copy name> として保存されます）" (Yes/No).
Message damagedLogQuestion(std::size_t line, std::string_view copyName);

// Writes the log to settings.LogPath; a failure is reported with the start-up error box
// "ログファイル <path> を保存できませんでした。".
bool saveLog(CAnswerLog &log, const CKvrSettings &settings, IPrompter &prompter);

// The loader of the start: database, log, then the web dictionaries (whose outcome does
// not count), announcing each on status and ending with an empty status. False when the
// database or the log failed; the reason has been shown already.
bool loadStartupData(StartupContext &context,
                     const std::function<void(std::string status)> &status);

// The main window's reload command: the database, then the log even when the database
// failed. True when both loaded.
bool reloadData(StartupContext &context);

} // namespace kvr
