#include <gtest/gtest.h>

#include "app/databasetree.h"
#include "db/questiondatabase.h"
#include "platform/cp932.h"

namespace kvr {
namespace {

using Chain = TreeIndexPath;

CSection &addCollection(CFolder &folder, const std::string &name, int questions = 0)
{
    CSection &section = folder.addSection();
    section.name = name;
    for (int i = 0; i < questions; ++i)
        section.appendLine("?q" + std::to_string(i) + ",,,,,a,,,");
    section.appendLine("comment");
    return section;
}

CFolder &addFolder(CFolder &folder, const std::string &name)
{
    CFolder &child = folder.addFolder();
    child.name = name;
    return child;
}

// In database order:  zoo/ (b, dup#1, A/ (deep), dup#2)  words  Alpha/
CFolder exampleRoot()
{
    CFolder root;
    CFolder &zoo = addFolder(root, "zoo");
    addCollection(zoo, "b", 3).header.headerFields = { "holder", "typist", "" };
    addCollection(zoo, "dup", 1);
    addCollection(addFolder(zoo, "A"), "deep");
    addCollection(zoo, "dup", 2);
    addCollection(root, "words");
    CFolder &alpha = addFolder(root, "Alpha");
    alpha.header.headerFields = { "c", "i", "start" };
    alpha.header.notes = { "one", "two" };
    return root;
}

std::vector<std::string> names(const TreeNode &node)
{
    std::vector<std::string> result;
    for (const TreeNode &child : node.children)
        result.push_back(child.name);
    return result;
}

TEST(DatabaseTree, NamesSortLikeTheTreeControl)
{
    const std::vector<std::string> sorted = {
        "_x",
        "A",
        "ab",
        "Abc",
        "b",
        "C",
        "zeta",
        cp932::text("あ"),
        cp932::text("ア"),
        cp932::text("日本"), // lead byte 0x93
        "\xB1", // half-width ｱ, between the two lead byte ranges
        cp932::text("漾"), // lead byte 0xE0
    };
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        for (std::size_t j = 0; j < sorted.size(); ++j)
            EXPECT_EQ(treeNameLess(sorted[i], sorted[j]), i < j) << i << " " << j;
    }
    EXPECT_FALSE(treeNameLess("Word", "word"));
    EXPECT_FALSE(treeNameLess("word", "Word"));
    // A trail byte that looks like a capital is not folded: ア (83 41) is not ャ (83 61).
    EXPECT_TRUE(treeNameLess("\x83\x41", "\x83\x61"));
    EXPECT_FALSE(treeNameLess("\x83\x61", "\x83\x41"));
}

TEST(DatabaseTree, EachLevelSortedWithEqualNamesInDatabaseOrder)
{
    const TreeNode tree = buildDatabaseTree(exampleRoot());
    EXPECT_EQ(names(tree), (std::vector<std::string> { "Alpha", "words", "zoo" }));
    const TreeNode &zoo = tree.children[2];
    EXPECT_TRUE(zoo.isFolder);
    EXPECT_FALSE(tree.children[1].isFolder);
    EXPECT_EQ(names(zoo), (std::vector<std::string> { "A", "b", "dup", "dup" }));
    EXPECT_EQ(names(zoo.children[0]), std::vector<std::string> { "deep" });
    EXPECT_TRUE(buildDatabaseTree(CFolder {}).children.empty());
}

TEST(DatabaseTree, PathsAndTheNodeToSelect)
{
    const TreeNode tree = buildDatabaseTree(exampleRoot());
    EXPECT_EQ(treePath(tree, { 2, 0, 0 }), "zoo/A/deep");
    EXPECT_EQ(treePath(tree, { 1 }), "words");
    EXPECT_EQ(treePath(tree, { 2, 9 }), "");
    EXPECT_EQ(treePath(tree, {}), "");

    const struct
    {
        const char *path;
        Chain chain;
    } rows[] = {
        { "zoo/A/deep", { 2, 0, 0 } },
        { "zoo/A", { 2, 0 } },
        { "words", { 1 } },
        { "zoo/dup", { 2, 2 } }, // the first of two equal names
        { "zoo/a", { 0 } }, // names match exactly
        { "zoo/missing", { 0 } },
        { "", { 0 } },
        { "zoo/", { 0 } },
        { "words/x", { 0 } },
    };
    for (const auto &row : rows)
        EXPECT_EQ(findNodeByPath(tree, row.path), row.chain) << row.path;
    EXPECT_EQ(findNodeByPath(TreeNode {}, "zoo"), Chain {});
    // A stored path finds the node again after a rebuild.
    EXPECT_EQ(treePath(tree, findNodeByPath(tree, treePath(tree, { 2, 3 }))), "zoo/dup");
}

TEST(DatabaseTree, SelectionDecidesDrillsMenusAndThePopup)
{
    const TreeNode tree = buildDatabaseTree(exampleRoot());
    EXPECT_EQ(collectionPathAt(tree, { 2, 1 }), "zoo/b");
    EXPECT_EQ(collectionPathAt(tree, { 2 }), std::nullopt);
    EXPECT_EQ(collectionPathAt(tree, {}), std::nullopt);

    EXPECT_EQ(selectionMenuItemsEnabled(nodeAt(tree, { 1 })), true);
    EXPECT_EQ(selectionMenuItemsEnabled(nodeAt(tree, { 0 })), false);
    EXPECT_EQ(selectionMenuItemsEnabled(nullptr), std::nullopt);

    const auto folderPopup = treePopupView(tree, { 2, 0 });
    ASSERT_TRUE(folderPopup);
    EXPECT_EQ(folderPopup->path, "zoo/A");
    EXPECT_FALSE(folderPopup->collectionItemsEnabled);
    EXPECT_TRUE(treePopupView(tree, { 2, 0, 0 })->collectionItemsEnabled);
    EXPECT_FALSE(treePopupView(tree, { 7 }));
}

TEST(DatabaseTree, HeaderOfACollectionAFolderAndAFailedLookUp)
{
    const CFolder root = exampleRoot();
    const struct
    {
        const char *path;
        bool folder;
        int nDefault;
        HeaderInfo expected;
    } rows[] = {
        { "zoo/b", false, 20, { "holder", "typist", "", "3", 1, 3, 3, "" } },
        { "zoo/b", false, 2, { "holder", "typist", "", "3", 1, 3, 2, "" } },
        { "zoo/A/deep", false, 20, { "", "", "", "0", 1, 0, 0, "" } },
        { "Alpha", true, 20, { "c", "i", "one\r\ntwo", "", 0, 0, 0, "" } },
        { "zoo/nothing", false, 20, { "", "", "", "", 0, 0, 0, "section zoo/nothingnot found." } },
        { "words", true, 20, { "", "", "", "", 0, 0, 0, "folder wordsnot found." } },
    };
    for (const auto &row : rows) {
        const HeaderInfo info = headerInfo(root, row.path, row.folder, row.nDefault);
        EXPECT_EQ(info, row.expected) << row.path << " " << info.error;
    }
}

// A database nested far deeper than any stack holds frames for: building, copying,
// comparing and destroying the tree, and the database file both ways, must not recurse.
TEST(DatabaseTreeDepth, HundredThousandLevelsNeedNoRecursion)
{
    constexpr int kLevels = 100000;
    CQuestionDatabase database;
    CFolder *folder = &database.root;
    for (int level = 0; level < kLevels; ++level)
        folder = &addFolder(*folder, "f");
    addCollection(*folder, "end", 1);

    const TreeNode tree = buildDatabaseTree(database.root);
    Chain chain(kLevels + 1, 0);
    const TreeNode *deepest = nodeAt(tree, chain);
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->name, "end");
    EXPECT_FALSE(deepest->isFolder);
    EXPECT_EQ(findNodeByPath(tree, treePath(tree, chain)), chain);

    TreeNode copy = tree;
    EXPECT_EQ(copy, tree);
    const_cast<TreeNode *>(nodeAt(copy, chain))->name = "other";
    EXPECT_FALSE(copy == tree);
    copy = tree;
    EXPECT_EQ(copy, tree);

    CQuestionDatabase reread;
    ASSERT_TRUE(readDatabaseText(reread, formatDatabase(database)));
    EXPECT_EQ(buildDatabaseTree(reread.root), tree);
    EXPECT_EQ(reread, database);
}

} // namespace
} // namespace kvr
