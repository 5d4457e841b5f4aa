#pragma once

#include <optional>
#include <string>
#include <vector>

// The editor's commands and the menus that reach them: the menu bar, the tree's popup
// "SectionPopup", the grid's popup "DatalistPopup" and the system menu's item.
namespace kvr {

enum class EditorCommand {
    ReloadTree, // "データベースの再読み込み(&I)"
    Save,
    Export,
    Import,
    ImportCsv, // "CSV/テキストから問題集を作成(&V)..."
    RestoreBackup, // "バックアップから戻す(&B)..."
    Exit,
    Cut,
    Copy,
    Paste,
    DeleteRow,
    InsertRow,
    InsertFromCollection,
    NewCollection,
    NewFolder,
    Rename,
    CopyNode,
    MoveNode,
    DeleteNode,
    Options,
    Help,
    UpgradeHint,
    HomePage,
    About,
    Details, // the button "詳細情報"
    ChooseWav, // the button "WAVﾌｧｲﾙ選択..."
    NextRow, // the button "Next"
};

// One item (CP932 text; "\t" separates the shortcut shown at the right). A separator has
// no text; a submenu has items and no command.
struct MenuItem
{
    std::string text;
    std::optional<EditorCommand> command;
    std::vector<MenuItem> submenu;
    bool separator = false;

    bool operator==(const MenuItem &) const = default;
};

struct Menu
{
    std::string title;
    std::vector<MenuItem> items;
};

// "ファイル(&F)", "編集(&E)", "問題集・フォルダ(&S)", "ツール(&T)", "ヘルプ(&H)".
std::vector<Menu> editorMenuBar();
// The tree's right-click popup.
std::vector<MenuItem> sectionPopup();
// The grid's right-click popup.
std::vector<MenuItem> datalistPopup();
// The system menu's addition after a separator: "KvrEditor のﾊﾞｰｼﾞｮﾝ情報(&A)...".
MenuItem systemMenuAboutItem();

} // namespace kvr
