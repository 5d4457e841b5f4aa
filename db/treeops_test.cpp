#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "db/testsupport.h"
#include "db/treeops.h"
#include "platform/error.h"

namespace kvr {
namespace {

// root: folder A { section X, folder X { section Y }, section X (second), section Z },
//       section X, folder B
CFolder sampleTree()
{
    CFolder root;
    CFolder &a = root.addFolder();
    a.name = "A";
    CSection &first = a.addSection();
    first.name = "X";
    first.appendLine("first");
    CFolder &ax = a.addFolder();
    ax.name = "X";
    ax.addSection().name = "Y";
    CSection &second = a.addSection();
    second.name = "X";
    second.appendLine("second");
    a.addSection().name = "Z";
    root.addSection().name = "X";
    root.addFolder().name = "B";
    return root;
}

// "S:name" / "F:name" for each entry, in order.
std::string entryList(const CFolder &folder)
{
    std::string out;
    for (const TreeEntry &entry : folder.entries) {
        if (!out.empty())
            out += ' ';
        out += entry.kind() == EntryKind::Folder ? "F:" : "S:";
        out += entry.name();
        if (entry.kind() == EntryKind::Section && !entry.section().lines.empty())
            out += "=" + entry.section().lines.front();
    }
    return out;
}

TEST(TreeDelete, RemovesTheFirstNodeOfTheKindAndMovesTheRestUp)
{
    struct Row
    {
        std::string path;
        EntryKind kind;
        bool removed;
        std::string parent; // folder whose entries are checked afterwards ("" = root)
        std::string after;
    };
    const Row rows[] = {
        { "A/X", EntryKind::Section, true, "A", "F:X S:X=second S:Z" },
        { "A/X", EntryKind::Folder, true, "A", "S:X=first S:X=second S:Z" },
        { "X", EntryKind::Section, true, "", "F:A F:B" },
        { "B", EntryKind::Folder, true, "", "F:A S:X" },
        { "A/X/Y", EntryKind::Section, true, "A/X", "" },
        { "B", EntryKind::Section, false, "", "F:A S:X F:B" },
        { "A/Q", EntryKind::Folder, false, "A", "S:X=first F:X S:X=second S:Z" },
        { "A/Z", EntryKind::Folder, false, "A", "S:X=first F:X S:X=second S:Z" },
    };
    for (const Row &row : rows) {
        CFolder root = sampleTree();
        const bool removed = row.kind == EntryKind::Folder ? deleteFolder(root, row.path)
                                                           : deleteSection(root, row.path);
        EXPECT_EQ(removed, row.removed) << row.path;
        const CFolder &parent = row.parent.empty() ? root : findFolder(root, row.parent);
        EXPECT_EQ(entryList(parent), row.after) << row.path;
    }
}

TEST(TreeDelete, AMissingParentFolderRaisesTheWrappedLookupText)
{
    CFolder root = sampleTree();
    EXPECT_EQ(errorText([&] { deleteSection(root, "Q/X"); }),
              "error (folder Qnot found.(in deleteSection Q/X )");
    EXPECT_EQ(errorText([&] { deleteFolder(root, "A/Q/X"); }),
              "error (folder A/Qnot found.(in deleteFolder A/Q/X )");
    // A collection is no folder on the way.
    EXPECT_EQ(errorText([&] { deleteSection(root, "X/Y"); }),
              "error (folder Xnot found.(in deleteSection X/Y )");
    EXPECT_EQ(root, sampleTree());
}

TEST(TreeDelete, TheOnlyCollectionGoneLeavesAFileThatReadsAsFalse)
{
    CQuestionDatabase database;
    database.root.addSection().name = "X";
    ASSERT_TRUE(deleteSection(database.root, "X"));
    CTempFile file;
    ASSERT_TRUE(writeDatabase(database, file.path()));
    CQuestionDatabase back;
    EXPECT_FALSE(readDatabase(back, file.path()));
}

TEST(TreeCopy, CopiesEverythingDeeplyAndReplacesTheTarget)
{
    const CFolder source = sampleTree();
    CFolder target;
    target.name = "old";
    target.header.notes = { "old note" };
    target.addSection().name = "old entry";
    const CFolder &a = source.entries[0].folder();
    copyFolderInto(target, a);
    EXPECT_EQ(target, a);

    // The copy is deep: changing it leaves the source alone.
    findSection(target, "X/Y").appendLine("changed");
    EXPECT_TRUE(findSection(source, "A/X/Y").lines.empty());

    CSection section;
    section.name = "old";
    section.lines = { "a", "b", "c" };
    CSection from;
    from.name = sj("単語");
    from.header.headerFields = { "c", "i", "s" };
    from.header.notes = { "n1", "", "n2" };
    from.lines = { "?x,,,,,y,,,", "plain" };
    copySectionInto(section, from);
    EXPECT_EQ(section, from);
}

TEST(TreeCopy, AFolderCopiedIntoItsOwnSubtreeOrParentStaysWhole)
{
    CFolder root = sampleTree();
    CFolder &a = findFolder(root, "A");
    CFolder expected = a;
    CFolder &inner = a.addFolder();
    copyFolderInto(inner, a);
    // The copy holds A as it was, with the inner folder still empty and unnamed.
    expected.addFolder();
    EXPECT_EQ(inner, expected);

    CFolder outer = sampleTree();
    const CFolder child = findFolder(outer, "A/X");
    copyFolderInto(outer, findFolder(outer, "A/X"));
    EXPECT_EQ(outer, child);
}

TEST(TreeUniqueName, NumbersTheNameUntilOneIsFree)
{
    struct Row
    {
        std::vector<std::string> sections; // collections at the root
        std::vector<std::string> folders; // folders at the root
        std::string wanted;
        EntryKind kind;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        { {}, {}, "W", EntryKind::Section, "W" },
        { { "W" }, {}, "W", EntryKind::Section, "W (1)" },
        { { "W", "W (1)" }, {}, "W", EntryKind::Section, "W (2)" },
        { { "W", "W (2)" }, {}, "W", EntryKind::Section, "W (1)" },
        { { "W" }, {}, "W", EntryKind::Folder, "W" },
        { {}, { "W" }, "W", EntryKind::Section, "W" },
        { {}, { "W", "W (1)" }, "W", EntryKind::Folder, "W (2)" },
        { { "W(1)", "W 1" }, {}, "W (1)", EntryKind::Section, "W (1)" },
        { { "W (1)" }, {}, "W (1)", EntryKind::Section, "W (1) (1)" },
    };
    for (const Row &row : rows) {
        CFolder root;
        for (const std::string &name : row.sections)
            root.addSection().name = name;
        for (const std::string &name : row.folders)
            root.addFolder().name = name;
        EXPECT_EQ(makeUniqueName(root, row.wanted, row.kind), row.expected) << row.wanted;
    }
}

TEST(TreeUniqueName, LooksBelowFoldersAndGivesUpAfterNinetyNine)
{
    CFolder root;
    CFolder &folder = root.addFolder();
    folder.name = sj("英語");
    folder.addSection().name = sj("単語");
    EXPECT_EQ(makeUniqueName(root, sj("英語/単語"), EntryKind::Section), sj("英語/単語 (1)"));
    EXPECT_EQ(makeUniqueName(root, sj("単語"), EntryKind::Section), sj("単語"));

    for (int n = 1; n <= 98; ++n)
        folder.addSection().name = sj("単語") + " (" + std::to_string(n) + ")";
    EXPECT_EQ(makeUniqueName(root, sj("英語/単語"), EntryKind::Section), sj("英語/単語 (99)"));
    folder.addSection().name = sj("単語 (99)");
    EXPECT_EQ(makeUniqueName(root, sj("英語/単語"), EntryKind::Section), std::nullopt);
    EXPECT_EQ(makeUniqueName(root, sj("英語/単語"), EntryKind::Folder), sj("英語/単語"));
}

TEST(TreePaths, SplitJoinAndNameRules)
{
    struct Row
    {
        std::string path, parent, name;
    };
    const Row rows[] = {
        { "A", "", "A" },
        { "A/B", "A", "B" },
        { "A/B/C", "A/B", "C" },
        { "", "", "" },
    };
    for (const Row &row : rows) {
        EXPECT_EQ(parentPathOf(row.path), row.parent) << row.path;
        EXPECT_EQ(lastNameOf(row.path), row.name) << row.path;
        EXPECT_EQ(childPath(row.parent, row.name), row.path) << row.path;
    }
    EXPECT_EQ(nodeNameFrom("a/b/"), sj("a／b／"));
    EXPECT_EQ(nodeNameFrom(sj("表/")), sj("表／"));

    CFolder root = sampleTree();
    const CFolder &a = findFolder(root, "A");
    EXPECT_TRUE(isWithinFolder(a, a));
    EXPECT_TRUE(isWithinFolder(a, findFolder(root, "A/X")));
    EXPECT_FALSE(isWithinFolder(a, findFolder(root, "B")));
    EXPECT_FALSE(isWithinFolder(findFolder(root, "A/X"), a));
}

} // namespace
} // namespace kvr
