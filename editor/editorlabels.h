#pragma once

#include <array>
#include <string>

#include "editor/questiongrid.h"
#include "platform/version.h"

// The fixed texts of the editor's main window and its about box (CP932).
namespace kvr {

struct GridColumnHeader
{
    std::string title; // "解答１" … "拡張データ"
    int width = 0; // pixels
};
// The twelve columns in order.
std::array<GridColumnHeader, kGridColumnCount> gridColumnHeaders();

struct EditorLabels
{
    std::string treeTab; // "問題集ツリー" (tab 0)
    std::string webTab; // "Web辞書" (tab 1)
    std::string selectedCollection; // "現在選択中の問題集"
    std::string selectedFolder; // "現在選択中のフォルダ"
    std::string detailsButton; // "詳細情報"
    std::string lookupButton; // "Web辞書検索" (both buttons)
    std::string wavButton; // "WAVﾌｧｲﾙ選択..."
    std::string nextButton; // "Next"
    std::string keyHelp; // "F1:ヘルプ  F2:名前の変更  F3:行の挿入  F4:行の削除"
    std::string partKeyHelp; // "F1:名詞  F2:動詞 …" with Shift held
    std::string partKeyShift; // "(Shift+F1 - F8)"
    std::string lineBreakHelp; // "[改行:Shift+Enter]"
    std::string numberHelp; // "[番号変更:Shift+↓/↑]"
    std::string answerCaption; // "解答データ（英語）"
    std::string questionCaption; // "問題データ（日本語）"
    std::string hintCaption; // "ヒントデータ（例文など。…）"
    std::string helpFont; // "ＭＳ ゴシック"
};
EditorLabels editorLabels();

constexpr const char *kEditorVersion = KVR_VERSION;

// The about box: caption "KvrEditorのﾊﾞｰｼﾞｮﾝ情報" and "KvrEditor  Version " + version.
std::string aboutCaption();
std::string aboutVersionLine();
// "ホームページ(&W)...": the maker's page + "?t=r:KvrEditor" + the version.
std::string homePageAddress();
// "ヘルプ(&H)": the editor's page of the help.
constexpr const char *kEditorHelpPage = "editor.html";

} // namespace kvr
