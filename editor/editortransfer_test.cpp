#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "db/treeops.h"
#include "editor/testsupport_editor.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::EditorFiles;
using test::outlineOf;
using Strings = std::vector<std::string>;

constexpr TransferMode kCopy = TransferMode::Copy;
constexpr TransferMode kMove = TransferMode::Move;

TEST(EditorTransfer, CopiesAndMovesUnderAUniqueNameCarryingHistoryOnMovesOnly)
{
    struct Row
    {
        NodeRef source;
        std::string target;
        TransferMode mode;
        std::string after;
        std::string select;
        Strings log; // one learner's record paths afterwards
    };
    const EntryKind S = EntryKind::Section, F = EntryKind::Folder;
    const Strings before = { "A/B", "AB", "A", "X", "G/X" };
    const Row rows[] = {
        { { "X", S }, "", kCopy, "A[B],AB,X,G[X],X (1)", "X (1)", before },
        { { "X", S }, "G", kCopy, "A[B],AB,X,G[X,X (1)]", "G/X (1)", before },
        { { "G/X", S }, "A", kCopy, "A[B,X],AB,X,G[X]", "A/X", before },
        { { "A", F }, "G", kCopy, "A[B],AB,X,G[X,A[B]]", "G/A", before },
        { { "A", F },
          "",
          kMove,
          "AB,X,G[X],A (1)[B]",
          "A (1)",
          { "A (1)/B", "AB", "A", "X", "G/X" } },
        { { "A", F }, "G", kMove, "AB,X,G[X,A[B]]", "G/A", { "G/A/B", "AB", "A", "X", "G/X" } },
        { { "X", S }, "A", kMove, "A[B,X],AB,G[X]", "A/X", { "A/B", "AB", "A", "A/X", "G/X" } },
        { { "G/X", S },
          "",
          kMove,
          "A[B],AB,X,G[],X (1)",
          "X (1)",
          { "A/B", "AB", "A", "X", "X (1)" } },
    };
    for (const Row &row : rows) {
        EditorFiles files("A[B],AB,X,G[X]");
        files.save();
        files.writeLog(before);
        const TreeEditResult result = transferNode(files.context, row.source, row.target, row.mode);
        EXPECT_EQ(outlineOf(files.database.root), row.after) << row.after;
        ASSERT_TRUE(result.changed && result.select) << row.after;
        EXPECT_EQ(result.select->path, row.select);
        EXPECT_EQ(result.select->kind, row.source.kind);
        Strings bothLearners = row.log;
        bothLearners.insert(bothLearners.end(), row.log.begin(), row.log.end());
        EXPECT_EQ(files.logPaths(), bothLearners) << row.after;
        EXPECT_TRUE(files.prompter.asked.empty()) << row.after;
        EXPECT_TRUE(fileExists(oldCopyPath(files.context.databasePath)));
    }
}

TEST(EditorTransfer, CopiesIntoTheOwnFolderAsOneThenTwoAndCopiesDeeply)
{
    EditorFiles files("E[X[Y]]");
    findSection(files.database.root, "E/X/Y").lines = { "?a,,,,,q,,," };
    findFolder(files.database.root, "E/X").header.notes = { "note" };
    files.save();
    transferNode(files.context, { "E/X", EntryKind::Folder }, "E", kCopy);
    transferNode(files.context, { "E/X", EntryKind::Folder }, "E", kCopy);
    EXPECT_EQ(outlineOf(files.database.root), "E[X[Y],X (1)[Y],X (2)[Y]]");
    CFolder copy = findFolder(files.database.root, "E/X (2)");
    copy.name = "X";
    EXPECT_EQ(copy, findFolder(files.database.root, "E/X"));
}

TEST(EditorTransfer, RefusalsAndErrorsLeaveTheTreeAsItWas)
{
    struct Row
    {
        NodeRef source;
        std::string target;
        TransferMode mode;
        std::string text;
    };
    const EntryKind S = EntryKind::Section, F = EntryKind::Folder;
    const Row rows[] = {
        { { "A", F },
          "A",
          kMove,
          sj("フォルダ A をそれ自身またはその中のフォルダへ移動することはできません。") },
        { { "A", F },
          "A/C/D",
          kCopy,
          sj("フォルダ A をそれ自身またはその中のフォルダへコピーすることはできません。") },
        { { "A", F }, "Q", kCopy, sj("コピー中にエラーが発生しました。") + "folder Qnot found." },
        { { "Q", S }, "", kMove, sj("移動中にエラーが発生しました。") + "section Qnot found." },
        { { "A/Q", F }, "", kMove, sj("移動中にエラーが発生しました。") + "folder A/Qnot found." },
    };
    for (const Row &row : rows) {
        EditorFiles files("A[B,C[D[]]],X");
        files.save();
        const TreeEditResult result = transferNode(files.context, row.source, row.target, row.mode);
        EXPECT_FALSE(result.changed) << row.text;
        EXPECT_EQ(outlineOf(files.database.root), "A[B,C[D[]]],X") << row.text;
        EXPECT_EQ(files.prompter.texts(), Strings { row.text });
        EXPECT_FALSE(fileExists(oldCopyPath(files.context.databasePath))) << row.text;
    }
}

TEST(EditorTransfer, StopsWhenNoNameIsFreeOrTheOldCopyFails)
{
    EditorFiles files("X");
    for (int n = 1; n <= 99; ++n)
        files.database.root.addSection().name = "X (" + std::to_string(n) + ")";
    files.save();
    const std::string full = outlineOf(files.database.root);
    EXPECT_FALSE(transferNode(files.context, { "X", EntryKind::Section }, "", kCopy).changed);
    EXPECT_EQ(files.prompter.texts().back(),
              sj("コピー先に X と同じ名前の問題集が多すぎるため、コピーできませんでした。"));
    EXPECT_EQ(outlineOf(files.database.root), full);

    EditorFiles unsaved("X,F[]"); // no database file to copy
    EXPECT_FALSE(transferNode(unsaved.context, { "X", EntryKind::Section }, "F", kMove).changed);
    EXPECT_EQ(unsaved.prompter.texts(),
              Strings { sj("バックアップファイルを作成できませんでした。") });
    EXPECT_EQ(outlineOf(unsaved.database.root), "X,F[]");
}

TEST(EditorTransfer, AMoveWithoutALogStandsQuietly)
{
    EditorFiles files("X,F[]");
    files.save();
    EXPECT_TRUE(transferNode(files.context, { "X", EntryKind::Section }, "F", kMove).changed);
    EXPECT_EQ(outlineOf(files.database.root), "F[X]");
    EXPECT_TRUE(files.prompter.asked.empty());
    EXPECT_FALSE(fileExists(files.context.logPath));
}

} // namespace
} // namespace kvr
