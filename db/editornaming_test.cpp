#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "db/testsupport_editor.h"
#include "db/treeops.h"

namespace kvr {
namespace {

using test::EditorFiles;
using test::outlineOf;
using Strings = std::vector<std::string>;

// Answers the dialog from a list of entered forms, keeping what it was shown.
struct ScriptedDialog
{
    std::vector<std::optional<NewNodeForm>> answers;
    std::vector<NewNodeForm> shown;
    std::optional<NewNodeForm> operator()(const NewNodeForm &form)
    {
        shown.push_back(form);
        if (shown.size() > answers.size())
            return std::nullopt;
        return answers[shown.size() - 1];
    }
};

NewNodeForm form(std::string name, bool under = false, std::string holder = "me")
{
    return NewNodeForm { std::move(name), std::move(holder), "me", under };
}

TEST(EditorCreate, RefusesEmptyAndTakenNamesAndAddsUnderTheChosenPlace)
{
    struct Row
    {
        EntryKind kind;
        std::optional<std::string> selected;
        std::vector<std::optional<NewNodeForm>> answers;
        std::string after;
        Strings texts;
        std::optional<std::string> selectPath;
    };
    const std::string taken = sj("その名前の問題集はすでにデータベースに存在しています。");
    const std::string empty = sj("問題集名が空白です。入力してください。");
    const Row rows[] = {
        { EntryKind::Section,
          std::nullopt,
          { form("N") },
          "F[S],S,N",
          { sj("新しい問題集 N を作成しました。") },
          "N" },
        { EntryKind::Folder,
          "F",
          { form("N", true) },
          "F[S,N[]],S",
          { sj("新しいフォルダ F/N を作成しました。") },
          "F/N" },
        { EntryKind::Section,
          "F",
          { form("N", false) },
          "F[S],S,N",
          { sj("新しい問題集 N を作成しました。") },
          "N" },
        { EntryKind::Section,
          std::nullopt,
          { form("N", true) },
          "F[S],S,N",
          { sj("新しい問題集 N を作成しました。") },
          "N" },
        { EntryKind::Section,
          std::nullopt,
          { form("a/b") },
          sj("F[S],S,a／b"),
          { sj("新しい問題集 a／b を作成しました。") },
          sj("a／b") },
        { EntryKind::Section,
          std::nullopt,
          { form("F") },
          "F[S],S,F",
          { sj("新しい問題集 F を作成しました。") },
          "F" },
        { EntryKind::Folder,
          std::nullopt,
          { form("F"), std::nullopt },
          "F[S],S",
          { sj("その名前のフォルダはすでにデータベースに存在しています。") },
          std::nullopt },
        { EntryKind::Section,
          "F",
          { form("S", true), form("S", false, "you") },
          "F[S],S",
          { taken, taken },
          std::nullopt },
        { EntryKind::Section,
          std::nullopt,
          { form(""), std::nullopt },
          "F[S],S",
          { empty },
          std::nullopt },
        { EntryKind::Section, std::nullopt, {}, "F[S],S", {}, std::nullopt },
    };
    for (const Row &row : rows) {
        EditorFiles files("F[S],S");
        ScriptedDialog dialog { row.answers, {} };
        const TreeEditResult result =
            createNode(files.context, row.kind, row.selected, "me", std::ref(dialog));
        EXPECT_EQ(outlineOf(files.database.root), row.after) << row.after;
        EXPECT_EQ(files.prompter.texts(), row.texts) << row.after;
        EXPECT_EQ(result.changed, row.selectPath.has_value());
        EXPECT_EQ(result.select ? std::optional(result.select->path) : std::nullopt,
                  row.selectPath);
        EXPECT_EQ(dialog.shown.front().underSelectedFolder, row.selected.has_value());
    }
}

TEST(EditorCreate, AsksAgainWithTheEnteredNameAndThePresetsAndStoresTheHeader)
{
    EditorFiles files("S");
    ScriptedDialog dialog { { form("S", false, "you"), form("T", false, "you") }, {} };
    createNode(files.context, EntryKind::Section, std::nullopt, "me", std::ref(dialog));
    ASSERT_EQ(dialog.shown.size(), 2u);
    EXPECT_EQ(dialog.shown[0].name, "");
    EXPECT_EQ(dialog.shown[1].name, "S");
    EXPECT_EQ(dialog.shown[1].copyrightHolder, "me");
    const CInnerHeader &header = findSection(files.database.root, "T").header;
    EXPECT_EQ(header.headerFields, (std::array<std::string, 3> { "you", "me", "" }));
    EXPECT_TRUE(header.notes.empty());
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
        const auto ask = [&](const RenameForm &) { return row.entered; };
        const TreeEditResult result = renameNode(files.context, row.node, {}, ask);
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
    std::vector<RenameForm> shown;
    std::vector<std::optional<std::string>> entered = { "", "x/y" };
    const auto ask = [&](const RenameForm &form) {
        shown.push_back(form);
        return entered[shown.size() - 1];
    };
    const TreeEditResult result = renameNode(
        files.context, { "A", EntryKind::Section }, [] { return true; }, ask);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].name, "A");
    EXPECT_EQ(shown[0].copyrightHolder, "c");
    EXPECT_EQ(shown[0].inputter, "i");
    EXPECT_EQ(outlineOf(files.database.root), sj("x／y,B"));
    EXPECT_EQ(result.select->path, sj("x／y"));
    EXPECT_EQ(files.prompter.texts(), Strings { sj("問題集名が空白です。入力してください。") });
    EXPECT_TRUE(files.logPaths().empty()); // no log file: the rename stands quietly

    bool asked = false;
    renameNode(
        files.context, { "B", EntryKind::Section }, [] { return false; },
        [&](const RenameForm &) {
            asked = true;
            return std::optional<std::string>("C");
        });
    EXPECT_FALSE(asked);
    EXPECT_EQ(files.prompter.texts().back(), sj("データベースの更新に失敗しました・・・"));
}

} // namespace
} // namespace kvr
