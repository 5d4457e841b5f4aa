// The texts and commands of the editor's menus.
#include "editor/editormenus.h"

#include "platform/cp932.h"

namespace kvr {

namespace {

using C = EditorCommand;

MenuItem item(const char *text, EditorCommand command)
{
    return MenuItem { cp932::text(text), command, {}, false };
}

MenuItem separator()
{
    return MenuItem { {}, std::nullopt, {}, true };
}

MenuItem newSubmenu()
{
    return MenuItem { cp932::text("新規作成(&N)"),
                      std::nullopt,
                      { item("問題集(&S)...", C::NewCollection),
                        item("フォルダ(&F)...", C::NewFolder) },
                      false };
}

} // namespace

std::vector<Menu> editorMenuBar()
{
    return {
        { cp932::text("ファイル(&F)"),
          { item("データベースの再読み込み(&I)", C::ReloadTree),
            item("上書き保存(&S)\tCtrl+S", C::Save), separator(),
            item("エクスポート(&E)...", C::Export), item("インポート(&I)...", C::Import),
            item("CSV/テキストから問題集を作成(&V)...", C::ImportCsv), separator(),
            item("バックアップから戻す(&B)...", C::RestoreBackup), separator(),
            item("終了(&X)", C::Exit) } },
        { cp932::text("編集(&E)"),
          { item("切り取り(&T)\tCtrl+X", C::Cut), item("コピー(&C)\tCtrl+C", C::Copy),
            item("貼り付け(&P)\tCtrl+V", C::Paste), item("削除(&D)...\tF4", C::DeleteRow),
            separator(), item("行の挿入(&I)\tF3", C::InsertRow),
            item("他の問題集からの挿入（インポート）(&O)...", C::InsertFromCollection) } },
        { cp932::text("問題集・フォルダ(&S)"),
          { newSubmenu(), item("名前の変更(&R)...\tF2", C::Rename),
            item("コピー(&C)...", C::CopyNode), item("移動(&M)...", C::MoveNode),
            item("削除(&D)...", C::DeleteNode) } },
        { cp932::text("ツール(&T)"), { item("オプション(&O)...", C::Options) } },
        { cp932::text("ヘルプ(&H)"),
          { item("ヘルプ(&H)", C::Help), item("バージョンアップ時のヒント(&N)...", C::UpgradeHint),
            item("ホームページ(&W)...", C::HomePage), separator(),
            item("バージョン情報(&V)...", C::About) } },
    };
}

std::vector<MenuItem> sectionPopup()
{
    return { newSubmenu(),
             item("名前の変更(&R)...\tF2", C::Rename),
             item("コピー(&C)...", C::CopyNode),
             item("移動(&C)...", C::MoveNode),
             item("削除(&D)...", C::DeleteNode),
             separator(),
             item("エクスポート(&E)...", C::Export) };
}

std::vector<MenuItem> datalistPopup()
{
    return { item("切り取り(&T)", C::Cut), item("コピー(&C)", C::Copy),
             item("貼り付け(&P)", C::Paste), item("挿入(&I)", C::InsertRow),
             item("削除(&D)...", C::DeleteRow) };
}

MenuItem systemMenuAboutItem()
{
    return item("KvrEditor のﾊﾞｰｼﾞｮﾝ情報(&A)...", C::About);
}

} // namespace kvr
