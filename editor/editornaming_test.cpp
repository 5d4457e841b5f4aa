#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "db/treeops.h"
#include "editor/testsupport_editor.h"

namespace kvr {
namespace {

using test::EditorFiles;
using test::outlineOf;
using Strings = std::vector<std::string>;

// The header dialog answering with the entered forms in turn, then cancel.
test::ScriptedEditorDialogs answering(std::vector<std::optional<HeaderForm>> answers)
{
    test::ScriptedEditorDialogs dialogs;
    dialogs.headerAnswers = std::move(answers);
    return dialogs;
}

HeaderForm form(std::string name, bool under = false, std::string holder = "me")
{
    HeaderForm entered;
    entered.name = std::move(name);
    entered.copyrightHolder = std::move(holder);
    entered.inputter = "me";
    entered.underSelectedFolder = under;
    return entered;
}

std::optional<HeaderForm> named(std::optional<std::string> name)
{
    if (!name)
        return std::nullopt;
    HeaderForm entered;
    entered.name = *name;
    return entered;
}

TEST(EditorCreate, RefusesEmptyAndTakenNamesAndAddsUnderTheChosenPlace)
{
    using Answers = std::vector<std::optional<HeaderForm>>;
    struct Row
    {
        EntryKind kind;
        std::string selected; // empty: no folder selected
        Answers answers; // then cancel
        std::string after;
        std::string created; // empty: nothing created
        Strings refusals;
    };
    const EntryKind S = EntryKind::Section, F = EntryKind::Folder;
    const std::string taken = sj("その名前の問題集はすでにデータベースに存在しています。");
    const std::string takenFolder = sj("その名前のフォルダはすでにデータベースに存在しています。");
    const std::string empty = sj("問題集名が空白です。入力してください。");
    const Row rows[] = {
        { S, "", { form("N") }, "F[S],S,N", "N", {} },
        { F, "F", { form("N", true) }, "F[S,N[]],S", "F/N", {} },
        { S, "F", { form("N", false) }, "F[S],S,N", "N", {} },
        { S, "", { form("N", true) }, "F[S],S,N", "N", {} },
        { S, "S", { form("N", true) }, "F[S],S,N", "N", {} }, // no such folder: the root
        { S, "", { form("a/b") }, sj("F[S],S,a／b"), sj("a／b"), {} },
        { S, "", { form("F") }, "F[S],S,F", "F", {} },
        { F, "", { form("F") }, "F[S],S", "", { takenFolder } },
        { S, "F", { form("S", true), form("S") }, "F[S],S", "", { taken, taken } },
        { S, "", { form("") }, "F[S],S", "", { empty } },
        { S, "", {}, "F[S],S", "", {} },
    };
    for (const Row &row : rows) {
        EditorFiles files("F[S],S");
        test::ScriptedEditorDialogs dialog = answering(row.answers);
        const std::optional<std::string> selected =
            row.selected.empty() ? std::nullopt : std::optional(row.selected);
        const TreeEditResult result = createNode(files.context, row.kind, selected, "me", dialog);
        EXPECT_EQ(outlineOf(files.database.root), row.after) << row.after;
        Strings texts = row.refusals;
        if (!row.created.empty()) {
            texts.push_back(sj(row.kind == F ? "新しいフォルダ " : "新しい問題集 ") + row.created
                            + sj(" を作成しました。"));
        }
        EXPECT_EQ(files.prompter.texts(), texts) << row.after;
        EXPECT_EQ(result.changed, !row.created.empty());
        EXPECT_EQ(result.select ? result.select->path : "", row.created);
        EXPECT_EQ(dialog.headerViews.front().form.underSelectedFolder, row.selected == "F");
    }
}

TEST(EditorCreate, AsksAgainWithTheEnteredNameAndThePresetsAndStoresTheHeader)
{
    EditorFiles files("S");
    test::ScriptedEditorDialogs dialog =
        answering({ form("S", false, "you"), form("T", false, "you") });
    createNode(files.context, EntryKind::Section, std::nullopt, "me", dialog);
    ASSERT_EQ(dialog.headerViews.size(), 2u);
    EXPECT_EQ(dialog.headerViews[0].form.name, "");
    EXPECT_EQ(dialog.headerViews[1].form.name, "S");
    EXPECT_EQ(dialog.headerViews[1].form.copyrightHolder, "me");
    const CInnerHeader &header = findSection(files.database.root, "T").header;
    EXPECT_EQ(header.headerFields, (std::array<std::string, 3> { "you", "me", "" }));
    EXPECT_TRUE(header.notes.empty());
}

TEST(EditorCreate, RefusesUnstorableTextAndKeepsTheWholeHeader)
{
    EditorFiles files("S");
    HeaderForm unmappable = form("X");
    unmappable.unmappable = true;
    HeaderForm dotted = form("T");
    dotted.startMessage = ".start";
    HeaderForm good = form("T");
    good.startMessage = "start";
    good.notes = "n1\r\nn2";
    test::ScriptedEditorDialogs dialog = answering({ unmappable, dotted, good });
    const TreeEditResult result =
        createNode(files.context, EntryKind::Folder, std::nullopt, "me", dialog);
    ASSERT_EQ(dialog.headerViews.size(), 3u);
    EXPECT_EQ(dialog.headerViews[1].form.name, ""); // the unmappable entry is not shown back
    EXPECT_EQ(dialog.headerViews[2].form.startMessage, ".start");
    EXPECT_EQ(files.prompter.texts().size(), 3u); // two refusals and the success
    ASSERT_TRUE(result.changed);
    const CInnerHeader &header = findFolder(files.database.root, "T").header;
    EXPECT_EQ(header.field(CInnerHeader::StartMessage), "start");
    EXPECT_EQ(header.notes, (Strings { "n1", "n2" }));
}

TEST(EditorRename, RenamesTheNodeAndItsHistoryWithoutASiblingCheck)
{
    struct Row
    {
        NodeRef node;
        std::optional<std::string> entered;
        std::string after;
        Strings log; // one learner's record paths afterwards
        Strings texts;
    };
    const Strings unchanged = { "A/X", "A/XY", "A/B/Y", "AB", "A" };
    const Row rows[] = {
        { { "A/X", EntryKind::Section },
          "Q",
          "A[Q,XY,B[Y]],AB,A",
          { "A/Q", "A/XY", "A/B/Y", "AB", "A" },
          {} },
        { { "A", EntryKind::Folder },
          "C",
          "C[X,XY,B[Y]],AB,A",
          { "C/X", "C/XY", "C/B/Y", "AB", "A" },
          {} },
        { { "A", EntryKind::Section },
          "AB",
          "A[X,XY,B[Y]],AB,AB",
          { "A/X", "A/XY", "A/B/Y", "AB", "AB" },
          {} },
        { { "A/X", EntryKind::Section }, "X", "A[X,XY,B[Y]],AB,A", unchanged, {} },
        { { "A/X", EntryKind::Section }, std::nullopt, "A[X,XY,B[Y]],AB,A", unchanged, {} },
        { { "A/Q", EntryKind::Section },
          "Z",
          "A[X,XY,B[Y]],AB,A",
          unchanged,
          { sj("変更に失敗しました") } },
    };
    for (const Row &row : rows) {
        EditorFiles files("A[X,XY,B[Y]],AB,A");
        files.writeLog(unchanged);
        test::ScriptedEditorDialogs dialog = answering({ named(row.entered) });
        const TreeEditResult result = renameNode(files.context, row.node, {}, dialog);
        EXPECT_EQ(outlineOf(files.database.root), row.after) << row.after;
        Strings bothLearners = row.log;
        bothLearners.insert(bothLearners.end(), row.log.begin(), row.log.end());
        EXPECT_EQ(files.logPaths(), bothLearners) << row.after;
        EXPECT_EQ(files.prompter.texts(), row.texts) << row.after;
        EXPECT_EQ(result.changed, row.log != unchanged) << row.after;
    }
}

TEST(EditorRename, ShowsTheHeaderRefusesEmptyNamesAndStopsWhenTheGridCannotCommit)
{
    EditorFiles files("A,B");
    findSection(files.database.root, "A").header.headerFields = { "c", "i", "s" };
    test::ScriptedEditorDialogs dialog = answering({ named(""), named("x/y") });
    const TreeEditResult result = renameNode(
        files.context, { "A", EntryKind::Section }, [] { return true; }, dialog);
    ASSERT_EQ(dialog.headerViews.size(), 2u);
    EXPECT_EQ(dialog.headerViews[0].form.name, "A");
    EXPECT_EQ(dialog.headerViews[0].form.copyrightHolder, "c");
    EXPECT_EQ(dialog.headerViews[0].form.inputter, "i");
    EXPECT_EQ(outlineOf(files.database.root), sj("x／y,B"));
    EXPECT_EQ(result.select->path, sj("x／y"));
    EXPECT_EQ(files.prompter.texts(), Strings { sj("問題集名が空白です。入力してください。") });
    EXPECT_TRUE(files.logPaths().empty()); // no log file: the rename stands quietly

    test::ScriptedEditorDialogs unasked = answering({ named("C") });
    renameNode(
        files.context, { "B", EntryKind::Section }, [] { return false; }, unasked);
    EXPECT_TRUE(unasked.headerViews.empty());
    EXPECT_EQ(files.prompter.texts().back(), sj("データベースの更新に失敗しました・・・"));
}

TEST(EditorRename, ALogThatCannotBeSavedIsTold)
{
    EditorFiles files("A");
    Strings paths = { "A" };
    for (int n = 0; n < 100; ++n)
        paths.push_back("P" + std::to_string(n));
    files.writeLog(paths);
    const std::string earlier = readFile(files.context.logPath);
    ASSERT_GT(earlier.size(), 4096u);
    EXPECT_TRUE(test::inChildWithFileLimit(4096, [&] {
        test::ScriptedEditorDialogs dialog = answering({ named("B") });
        return renameNode(files.context, { "A", EntryKind::Section }, {}, dialog).changed
            && files.prompter.asked
            == std::vector { errorBox(sj("ログファイル ") + files.context.logPath
                                      + sj(" を保存できませんでした。")) };
    }));
    EXPECT_EQ(readFile(files.context.logPath), earlier);
}

} // namespace
} // namespace kvr
