#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "db/testsupport.h"
#include "db/testsupport_tree.h"
#include "db/treeops.h"
#include "platform/error.h"

namespace kvr {
namespace {

using test::outlineOf;
using test::treeOf;

TEST(TreeDelete, RemovesTheFirstNodeOfTheKindAndMovesTheRestUp)
{
    struct Row
    {
        std::string path;
        EntryKind kind;
        bool removed;
        std::string after;
    };
    const Row rows[] = {
        { "A/X", EntryKind::Section, true, "A[X[Y],X,Z],X,B[]" },
        { "A/X", EntryKind::Folder, true, "A[X,X,Z],X,B[]" },
        { "X", EntryKind::Section, true, "A[X,X[Y],X,Z],B[]" },
        { "B", EntryKind::Folder, true, "A[X,X[Y],X,Z],X" },
        { "A/X/Y", EntryKind::Section, true, "A[X,X[],X,Z],X,B[]" },
        { "B", EntryKind::Section, false, "A[X,X[Y],X,Z],X,B[]" },
        { "A/Z", EntryKind::Folder, false, "A[X,X[Y],X,Z],X,B[]" },
    };
    for (const Row &row : rows) {
        CFolder root = treeOf("A[X,X[Y],X,Z],X,B[]");
        findFolder(root, "A").entries[2].section().appendLine("second");
        const bool removed = row.kind == EntryKind::Folder ? deleteFolder(root, row.path)
                                                           : deleteSection(root, row.path);
        EXPECT_EQ(removed, row.removed) << row.path;
        EXPECT_EQ(outlineOf(root), row.after) << row.path;
        if (row.path == "A/X" && row.kind == EntryKind::Section) {
            EXPECT_EQ(findSection(root, "A/X").lines.size(), 1u); // the second one stays
        }
    }
}

TEST(TreeDelete, AMissingParentFolderRaisesTheWrappedLookupText)
{
    CFolder root = treeOf("A[X],X");
    EXPECT_EQ(errorText([&] { deleteSection(root, "Q/X"); }),
              "error (folder Qnot found.(in deleteSection Q/X )");
    EXPECT_EQ(errorText([&] { deleteFolder(root, "A/Q/X"); }),
              "error (folder A/Qnot found.(in deleteFolder A/Q/X )");
    EXPECT_EQ(errorText([&] { deleteSection(root, "X/Y"); }), // a collection is no folder
              "error (folder Xnot found.(in deleteSection X/Y )");
    EXPECT_EQ(outlineOf(root), "A[X],X");
}

TEST(TreeDelete, TheOnlyCollectionGoneLeavesAFileThatReadsAsFalse)
{
    CQuestionDatabase database;
    database.root = treeOf("X");
    ASSERT_TRUE(deleteSection(database.root, "X"));
    CTempFile file;
    ASSERT_TRUE(writeDatabase(database, file.path()));
    CQuestionDatabase back;
    EXPECT_FALSE(readDatabase(back, file.path()));
}

TEST(TreeCopy, CopiesDeeplyReplacingTheTargetEvenWhenOneHoldsTheOther)
{
    CFolder root = treeOf("A[X,B[Y]],old[gone]");
    CFolder &a = findFolder(root, "A");
    a.header.notes = { "n1", "", "n2" };
    findSection(root, "A/B/Y").lines = { "?a,,,,,q,,,", "plain" };
    copyFolderInto(findFolder(root, "old"), a);
    EXPECT_EQ(root.entries[1].folder(), a);
    findSection(root, "A/B/Y").appendLine("changed"); // the copy does not share nodes
    EXPECT_EQ(root.entries[1].folder().entries[1].folder().entries[0].section().lines.size(), 2u);

    const CFolder before = a;
    CFolder &inner = a.addFolder();
    copyFolderInto(inner, a); // holds A as it was, with the inner folder still empty
    CFolder expected = before;
    expected.addFolder();
    EXPECT_EQ(inner, expected);

    const CFolder child = findFolder(root, "A/B");
    copyFolderInto(root, findFolder(root, "A/B"));
    EXPECT_EQ(root, child);
}

// A deep chain of folders: copying it into a folder of its own and the containment test
// that guards moves work without recursion.
TEST(TreeCopy, DeepTreesCopyAndAnswerContainment)
{
    CFolder root;
    CFolder *deepest = &root.addFolder();
    for (int i = 0; i < 200000; ++i) {
        deepest->name = "F";
        deepest = &deepest->addFolder();
    }
    deepest->addSection().name = "S";
    CFolder &top = root.entries[0].folder();
    EXPECT_TRUE(isWithinFolder(top, *deepest));
    EXPECT_FALSE(isWithinFolder(*deepest, top));

    CFolder &target = root.addFolder();
    copyFolderInto(target, top);
    EXPECT_TRUE(target == top);
    EXPECT_FALSE(isWithinFolder(top, target));
}

TEST(TreeUniqueName, NumbersTheNameUntilOneIsFreeAndGivesUpAfterNinetyNine)
{
    struct Row
    {
        std::string tree, wanted;
        EntryKind kind;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        { "", "W", EntryKind::Section, "W" },
        { "W", "W", EntryKind::Section, "W (1)" },
        { "W,W (1)", "W", EntryKind::Section, "W (2)" },
        { "W,W (2)", "W", EntryKind::Section, "W (1)" },
        { "W", "W", EntryKind::Folder, "W" }, // the kinds never block each other
        { "W[],W (1)[]", "W", EntryKind::Folder, "W (2)" },
        { "W (1)", "W (1)", EntryKind::Section, "W (1) (1)" },
        { "E[W]", "E/W", EntryKind::Section, "E/W (1)" },
        { "E[W]", "W", EntryKind::Section, "W" },
    };
    for (const Row &row : rows)
        EXPECT_EQ(makeUniqueName(treeOf(row.tree), row.wanted, row.kind), row.expected) << row.tree;

    CFolder root = treeOf("E[W]");
    CFolder &folder = root.entries[0].folder();
    for (int n = 1; n <= 98; ++n)
        folder.addSection().name = "W (" + std::to_string(n) + ")";
    EXPECT_EQ(makeUniqueName(root, "E/W", EntryKind::Section), "E/W (99)");
    folder.addSection().name = "W (99)";
    EXPECT_EQ(makeUniqueName(root, "E/W", EntryKind::Section), std::nullopt);
}

// A '"' in a name would end it early in the answer-history log, like "/" in a path.
TEST(TreeOps, NodeNamesTakeFullWidthSlashAndQuote)
{
    EXPECT_EQ(nodeNameFrom("say \"hi\"/now"), sj("say ＂hi＂／now"));
    EXPECT_EQ(nodeNameFrom(sj("表ゾ")), sj("表ゾ"));
}

} // namespace
} // namespace kvr
