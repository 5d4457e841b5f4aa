// The fixed texts of the editor's windows.
#include "editor/editorlabels.h"

#include "platform/cp932.h"

namespace kvr {

namespace {

constexpr const char *kHomePage = "https://www.ombrel.example/kelvora/";

} // namespace

std::array<GridColumnHeader, kGridColumnCount> gridColumnHeaders()
{
    const std::pair<const char *, int> columns[kGridColumnCount] = {
        { "解答１", 60 },          { "解答２", 60 },  { "解答３", 60 },
        { "解答４", 60 },          { "解答５", 60 },  { "問題（１行目）", 120 },
        { "問題（２行目）", 120 }, { "ﾋﾝﾄ１", 60 },   { "ﾋﾝﾄ２", 60 },
        { "ﾋﾝﾄ３", 60 },           { "WAVﾌｧｲﾙ", 40 }, { "拡張データ", 80 },
    };
    std::array<GridColumnHeader, kGridColumnCount> headers;
    for (std::size_t i = 0; i < headers.size(); ++i)
        headers[i] = GridColumnHeader { cp932::text(columns[i].first), columns[i].second };
    return headers;
}

EditorLabels editorLabels()
{
    EditorLabels labels;
    labels.treeTab = cp932::text("問題集ツリー");
    labels.webTab = cp932::text("Web辞書");
    labels.selectedCollection = cp932::text("現在選択中の問題集");
    labels.selectedFolder = cp932::text("現在選択中のフォルダ");
    labels.detailsButton = cp932::text("詳細情報");
    labels.lookupButton = cp932::text("Web辞書検索");
    labels.wavButton = cp932::text("WAVﾌｧｲﾙ選択...");
    labels.nextButton = "Next";
    labels.keyHelp = cp932::text("F1:ヘルプ  F2:名前の変更  F3:行の挿入  F4:行の削除");
    labels.partKeyHelp = cp932::text(
        "F1:名詞  F2:動詞  F3:形容詞  F4:副詞  F5:前置詞  F6:熟語  F7:代名詞  F8:その他");
    labels.partKeyShift = "(Shift+F1 - F8)";
    labels.lineBreakHelp = cp932::text("[改行:Shift+Enter]");
    labels.numberHelp = cp932::text("[番号変更:Shift+↓/↑]");
    labels.answerCaption = cp932::text("解答データ（英語）");
    labels.questionCaption = cp932::text("問題データ（日本語）");
    labels.hintCaption =
        cp932::text("ヒントデータ（例文など。回答時にヒントボタンを押すと表示されます）");
    labels.helpFont = cp932::text("ＭＳ ゴシック");
    return labels;
}

std::string aboutCaption()
{
    return cp932::text("KvrEditorのﾊﾞｰｼﾞｮﾝ情報");
}

std::string aboutVersionLine()
{
    return std::string("KvrEditor  Version ") + kEditorVersion;
}

std::string homePageAddress()
{
    return std::string(kHomePage) + "?t=r:KvrEditor" + kEditorVersion;
}

} // namespace kvr
