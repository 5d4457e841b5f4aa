#include <functional>
#include <gtest/gtest.h>

#include "db/questiondatabase.h"
#include "db/testsupport.h"
#include "platform/error.h"

namespace kvr {
namespace {

// root: folder A { folder B { section C }, section C, folder Same, section Same,
//                  section Dup (1 line), section Dup (2 lines) }, section Top, folder Empty
CFolder sampleTree()
{
    CFolder root;
    CFolder &a = root.addFolder();
    a.name = "A";
    CFolder &b = a.addFolder();
    b.name = "B";
    b.addSection().name = "C";
    a.addSection().name = "C";
    a.addFolder().name = "Same";
    a.addSection().name = "Same";
    CSection &dup1 = a.addSection();
    dup1.name = "Dup";
    dup1.appendLine("first");
    CSection &dup2 = a.addSection();
    dup2.name = "Dup";
    dup2.appendLine("second");
    dup2.appendLine("second");
    root.addSection().name = "Top";
    root.addFolder().name = "Empty";
    return root;
}

TEST(TreeLookup, FindsByPathAndReportsTheWholePathWhenMissing)
{
    const CFolder root = sampleTree();
    struct Row
    {
        std::string path;
        bool folder;
        std::string error; // empty when found
    };
    const Row rows[] = {
        { "A", true, "" },
        { "A/B", true, "" },
        { "A/B/C", false, "" },
        { "A/C", false, "" },
        { "Top", false, "" },
        { "Empty", true, "" },
        { "X", true, "folder Xnot found." },
        { "A/X/C", false, "section A/X/Cnot found." },
        { "A/B/X", false, "section A/B/Xnot found." },
        { "A/B/C", true, "folder A/B/Cnot found." },
        { "A/B", false, "section A/Bnot found." },
        { "Top", true, "folder Topnot found." },
        { "Empty/", true, "folder Empty/not found." },
        { "", false, "section not found." },
        { "/A", true, "folder /Anot found." },
        { "a", true, "folder anot found." },
    };
    for (const Row &row : rows) {
        const auto find = [&] {
            if (row.folder)
                findFolder(root, row.path);
            else
                findSection(root, row.path);
        };
        EXPECT_EQ(errorText(find), row.error.empty() ? "(no error)" : row.error) << row.path;
        const bool found = row.folder ? hasFolder(root, row.path) : hasSection(root, row.path);
        EXPECT_EQ(found, row.error.empty()) << row.path;
    }
}

TEST(TreeLookup, KindsNeverMatchEachOtherAndTheFirstNameWins)
{
    CFolder root = sampleTree();
    EXPECT_EQ(&findFolder(root, "A/Same"), &root.entries[0].folder().entries[2].folder());
    EXPECT_EQ(&findSection(root, "A/Same"), &root.entries[0].folder().entries[3].section());
    EXPECT_EQ(findSection(root, "A/Dup").lines, std::vector<std::string> { "first" });
    EXPECT_EQ(&findSection(root, "A/B/C"),
              &findFolder(findFolder(root, "A"), "B").entries[0].section());
    findSection(root, "A/B/C").appendLine("?x");
    EXPECT_EQ(findSection(std::as_const(root), "A/B/C").questionCount(), 1);
}

TEST(TreeEntry, CopiesAreDeepAndWrongKindsAreRefused)
{
    const CFolder original = sampleTree();
    CFolder copy = original;
    EXPECT_EQ(copy, original);
    findSection(copy, "A/B/C").appendLine("added");
    findFolder(copy, "A").name = "renamed";
    EXPECT_NE(copy, original);
    EXPECT_TRUE(findSection(original, "A/B/C").lines.empty());
    EXPECT_EQ(original.entries[0].name(), "A");

    TreeEntry entry = original.entries[0];
    entry = original.entries[1];
    EXPECT_EQ(entry.kind(), EntryKind::Section);
    EXPECT_EQ(entry, original.entries[1]);
    EXPECT_NE(entry, original.entries[0]);
    EXPECT_EQ(errorText([&] { entry.folder(); }), "not folder");
    EXPECT_EQ(errorText([&] { original.entries[0].section(); }), "not section");

    // A folder and a collection of equal name and header still differ.
    CSection s;
    CFolder f;
    EXPECT_NE(TreeEntry(s), TreeEntry(f));
}

TEST(TreeEntry, AddedNodesAreEmptyAndAppended)
{
    CFolder folder;
    folder.addSection().name = "first";
    CFolder &added = folder.addFolder();
    EXPECT_EQ(added, CFolder());
    EXPECT_EQ(folder.entries.size(), 2u);
    EXPECT_EQ(folder.entries.back().kind(), EntryKind::Folder);
    CSection &section = folder.addSection();
    EXPECT_EQ(section, CSection());
    EXPECT_EQ(section.header.headerFields.size(), 3u);
    // Nodes stay where they are while their folder grows.
    for (int i = 0; i < 100; ++i)
        folder.addSection();
    EXPECT_EQ(&folder.entries[1].folder(), &added);
}

TEST(CInnerHeader, NotesJoinAndSplitAtLineEnds)
{
    struct Row
    {
        std::string text;
        std::vector<std::string> notes;
        std::string joined;
    };
    const Row rows[] = {
        { "a\r\n\r\nb\r\n", { "a", "", "b" }, "a\r\n\r\nb" },
        { "", {}, "" },
        { "\r\n", { "" }, "" },
        { "\r\n\r\n", { "", "" }, "\r\n" },
        { "one", { "one" }, "one" },
        { "a\nb\r", { "a\nb\r" }, "a\nb\r" },
    };
    for (const Row &row : rows) {
        CInnerHeader header;
        header.notes = { "old" };
        header.setNotesText(row.text);
        EXPECT_EQ(header.notes, row.notes) << visible(row.text);
        EXPECT_EQ(header.notesText(), row.joined) << visible(row.text);
    }
}

TEST(CInnerHeader, FieldsOutsideTheThreeAreEmpty)
{
    CInnerHeader header;
    header.headerFields = { "c", "i", "s" };
    EXPECT_EQ(header.field(CInnerHeader::CopyrightHolder), "c");
    EXPECT_EQ(header.field(CInnerHeader::StartMessage), "s");
    EXPECT_EQ(header.field(3), "");
    EXPECT_EQ(header.field(-1), "");
}

TEST(CSection, CountsQuestionLinesAndFindsExactLines)
{
    CSection section;
    for (const char *line : { "?a,b", "plain", "", "?", " ?x" })
        section.appendLine(line);
    EXPECT_EQ(section.questionCount(), 2);
    EXPECT_TRUE(section.containsLine("?a,b"));
    EXPECT_TRUE(section.containsLine(""));
    EXPECT_FALSE(section.containsLine("?a,b "));
    EXPECT_FALSE(section.containsLine("?A,B"));
}

} // namespace
} // namespace kvr
