#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/webdictionary.h"
#include "editor/editordialogs.h"
#include "platform/prompter.h"

// The editor's start and end: one instance, its settings, the database and the web
// dictionaries.
namespace kvr {

class CNamedMutex;
class ISettingsStore;
struct CEditorSettings;
struct CQuestionDatabase;

constexpr std::string_view kEditorInstanceName = "KvrEditor";

struct EditorStartContext
{
    CEditorSettings &settings;
    ISettingsStore &store;
    CQuestionDatabase &database;
    std::vector<WebDictionary> &webDictionaries;
    IPrompter &prompter;
    IFileDialogs &fileDialogs; // the database file dialog
    CNamedMutex &instance; // held from a successful start until finishEditor
    std::string userName; // the default copyright holder
    std::string instanceName = std::string(kEditorInstanceName);
};

enum class EditorStart {
    Ready, // the main window may open
    AlreadyRunning, // another editor runs: end without a message
    NoDatabaseSetting, // "レジストリの読み込みに失敗しました" was shown
    DatabaseNotChosen, // the missing database file was not chosen
    DatabaseUnreadable, // "データベースファイル <path> が開けませんでした。" was shown
};

// The start: the instance marker "KvrEditor" (taken: AlreadyRunning); the settings (no
// database path: the start-up error box "レジストリの読み込みに失敗しました"); on the first
// run the box "KvrEditorの使い方"; the database (loadEditorDatabase); the web dictionaries.
// The marker is given up again when the start fails.
EditorStart startEditor(EditorStartContext &context);

// The box shown on the first run and by "バージョンアップ時のヒント(&N)...".
Message editorUsageMessage();

enum class DatabaseLoad { Loaded, Cancelled, Unreadable };

// The database at settings.DatabaseFilename. A missing file is told ("データベースファイルが
// 見つかりませんでした。次のダイアログで指定してください。", caption "Error") and asked for
// (cancel: Cancelled); a chosen file becomes the setting and all settings are saved at once.
// The file is read into a fresh tree that replaces the database only when it reads whole;
// else "データベースファイル <path> が開けませんでした。" (caption "Error"), Unreadable.
DatabaseLoad loadEditorDatabase(CEditorSettings &settings, ISettingsStore &store,
                                CQuestionDatabase &database, IPrompter &prompter,
                                IFileDialogs &fileDialogs);

// The end: the editor's own settings saved, the instance marker given up.
void finishEditor(EditorStartContext &context);

} // namespace kvr
