#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "db/testsupport.h"
#include "editor/editorlabels.h"
#include "editor/editorlayout.h"
#include "editor/headerdialog.h"
#include "editor/textrules.h"

namespace kvr {
namespace {

using U = HeaderDialogUse;

HeaderForm form(std::string name, std::string holder = {}, std::string inputter = {},
                std::string start = {}, std::string notes = {}, bool unmappable = false)
{
    HeaderForm entered;
    entered.name = std::move(name);
    entered.copyrightHolder = std::move(holder);
    entered.inputter = std::move(inputter);
    entered.startMessage = std::move(start);
    entered.notes = std::move(notes);
    entered.unmappable = unmappable;
    return entered;
}

TEST(HeaderDialog, FiveUsesWithTheirCaptionsLabelsAndEditableFields)
{
    struct Row
    {
        U use;
        const char *caption;
        const char *label;
        bool name, header, place;
    };
    const Row rows[] = {
        { U::NewCollection, "問題集の新規作成", "問題集名", true, true, true },
        { U::NewFolder, "フォルダの新規作成", "フォルダ名", true, true, true },
        { U::Details, "問題集の詳細情報", "名称", false, true, false },
        { U::RenameCollection, "問題集の名称変更", "問題集名", true, false, false },
        { U::RenameFolder, "フォルダの名称変更", "フォルダ名", true, false, false },
    };
    for (const Row &row : rows) {
        HeaderForm form;
        form.underSelectedFolder = true;
        const HeaderDialogView view = headerDialogView(row.use, form, true);
        EXPECT_EQ(view.caption, sj(row.caption));
        EXPECT_EQ(view.nameLabel, sj(row.label));
        EXPECT_EQ(view.nameEditable, row.name);
        EXPECT_EQ(view.headerEditable, row.header);
        EXPECT_EQ(view.placeShown, row.place);
        EXPECT_EQ(view.placeUnderEnabled, row.place);
        EXPECT_EQ(view.form.underSelectedFolder, row.place);
    }
    HeaderForm under;
    under.underSelectedFolder = true;
    EXPECT_FALSE(headerDialogView(U::NewFolder, under, false).form.underSelectedFolder);
}

TEST(HeaderDialog, RefusesWhatTheFileCouldNotHoldInTheFieldsTheUseEdits)
{
    const std::string empty = sj("問題集名が空白です。入力してください。");
    const std::string nameLine = sj("問題集名・フォルダ名に改行を含めることはできません。");
    const std::string fieldLine =
        sj("著作権者名・データ入力者名・開始メッセージに改行を含めることはできません。");
    const std::string fieldTag = sj("著作権者名・データ入力者名・開始メッセージを「.」や「note=」"
                                    "で始めることはできません。");
    struct Row
    {
        U use;
        HeaderForm form;
        std::optional<std::string> refusal;
    };
    const Row rows[] = {
        { U::NewCollection, form(""), empty },
        { U::NewFolder, form("a\r\nb"), nameLine },
        { U::NewCollection, form("a", "x\ny"), fieldLine },
        { U::NewCollection, form("a", "", ".hidden"), fieldTag },
        { U::NewCollection, form("a", "", "", "NOTE=x"), fieldTag },
        { U::NewCollection, form("a", "", "", "a.note=x", ".a\nnote=b"), std::nullopt },
        { U::Details, form("", "", "."), fieldTag },
        { U::Details, form(""), std::nullopt },
        { U::RenameFolder, form("b", "."), std::nullopt },
        { U::RenameCollection, form("b", "", "", "", "", true), unmappableTextMessage() },
    };
    for (const Row &row : rows)
        EXPECT_EQ(headerFormRefusal(row.use, row.form), row.refusal) << row.form.name;
}

TEST(HeaderDialog, NotesTakeAnyLineEndAsANoteBreak)
{
    HeaderForm form;
    form.notes = "a\nb\r\rc\r\n";
    EXPECT_EQ(headerOf(form).notes, (std::vector<std::string> { "a", "b", "", "c" }));
    EXPECT_EQ(formOf("n", headerOf(form)).notes, "a\r\nb\r\n\r\nc");
    EXPECT_EQ(withCrLf("x\r\ny\rz\n"), "x\r\ny\r\nz\r\n");
}

TEST(EditorLayout, DividerSizeGripAndInputMethod)
{
    EXPECT_TRUE(onDivider(205, 20, 200, 400));
    EXPECT_FALSE(onDivider(206, 100, 200, 400));
    EXPECT_FALSE(onDivider(200, 19, 200, 400));
    EXPECT_TRUE(onDivider(195, 390, 200, 400));
    EXPECT_FALSE(onDivider(200, 391, 200, 400));
    EXPECT_TRUE(onSizeGrip(584, 484, 600, 500));
    EXPECT_FALSE(onSizeGrip(583, 499, 600, 500));
    EXPECT_EQ(inputMethodOnFocus(EditorFocus::AnswerField), false);
    EXPECT_EQ(inputMethodOnFocus(EditorFocus::QuestionField), true);
    EXPECT_FALSE(inputMethodOnFocus(EditorFocus::HintField));
}

TEST(EditorLabels, TheFixedTextsAreCp932AndTheColumnsInOrder)
{
    const auto columns = gridColumnHeaders();
    EXPECT_EQ(columns[0].title, sj("解答１"));
    EXPECT_EQ(columns[5].width, 120);
    EXPECT_EQ(columns[11].title, sj("拡張データ"));
    EXPECT_EQ(editorLabels().numberHelp, sj("[番号変更:Shift+↓/↑]"));
    EXPECT_EQ(aboutVersionLine(), "KvrEditor  Version 4.0.0");
    EXPECT_EQ(aboutCaption(), sj("KvrEditorのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_TRUE(homePageAddress().ends_with("?t=r:KvrEditor4.0.0"));
}

} // namespace
} // namespace kvr
