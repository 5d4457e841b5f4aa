#pragma once

#include <optional>
#include <string>

#include "editor/editordialogs.h"

// The editor's options dialog "オプション設定": the default copyright holder and the
// database file.
namespace kvr {

class IPrompter;
class ISettingsStore;
struct CEditorSettings;

struct EditorOptionsForm
{
    std::string defaultUser; // DefaultUser
    std::string databasePath; // shown read-only, changed by "参照"
    bool unmappable = false; // set by the window when the user name holds such a character

    bool operator==(const EditorOptionsForm &) const = default;
};

struct EditorOptionsView
{
    std::string caption; // "オプション設定"
    std::string userGroup; // "ユーザ名（問題集／フォルダ作成時のデフォルト著作権者）"
    std::string databaseGroup; // "データベースファイル"
    std::string browseText; // "参照"
    std::string cancelText; // "ｷｬﾝｾﾙ"
    std::string defaultsText; // "ﾃﾞﾌｫﾙﾄに戻す", always disabled
    EditorOptionsForm form;
};

EditorOptionsView editorOptionsView(const CEditorSettings &settings);

// "オプション設定".
class IEditorOptionsDialog
{
public:
    virtual ~IEditorOptionsDialog() = default;
    // Shows the dialog; the fields at OK, or nothing on cancel. Its "参照" button runs
    // browseDatabaseFile.
    virtual std::optional<EditorOptionsForm> askOptions(const EditorOptionsView &view) = 0;
};

// "参照": the warning (Yes/No, caption "CAUTION!"), then the open dialog
// "Kvr DatabaseFile Select" ("Kvr DatabaseFile (*.kvr)") at the current path. A chosen file
// that does not exist is told ("ない！") and taken all the same. The path, or nothing.
std::optional<std::string> browseDatabaseFile(IPrompter &prompter, IFileDialogs &fileDialogs,
                                              const std::string &currentPath);

// The message refusing the entered fields, or nothing: the user name becomes the header
// field of new items, so it must be storable as one.
std::optional<std::string> optionsRefusal(const EditorOptionsForm &form);

// OK: both fields into the settings, and all settings saved.
void applyOptions(CEditorSettings &settings, ISettingsStore &store, const EditorOptionsForm &form);

} // namespace kvr
