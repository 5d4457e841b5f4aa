#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "db/exportfile.h"
#include "db/testsupport.h"
#include "db/testsupport_tree.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::exportSampleDatabase;
using test::outlineOf;
using test::treeOf;
using Strings = std::vector<std::string>;

TEST(ExportFile, WritesThePreambleAndOneElement)
{
    const CQuestionDatabase database = exportSampleDatabase();
    CTempFile file("out.kve");
    exportNode(database, sj("英語/単語"), file.path(), EntryKind::Section);
    EXPECT_EQ(readFile(file.path()),
              "# KvrEditor SectionExportFile (.kve) v1\r\n# path = " + sj("英語/単語")
                  + "\r\n# \r\n<s>\r\n" + sj("単語")
                  + "\r\nc\r\ni\r\ns\r\nnote=n\r\n.\r\n?apple,,,,," + sj("りんご")
                  + ",,,\r\nplain\r\n</s>\r\n\r\n");
    exportNode(database, "F/G", file.path(), EntryKind::Folder);
    EXPECT_EQ(readFile(file.path()),
              "# KvrEditor FolderExportFile (.kvf) v1\r\n# path = F/G\r\n# \r\n"
              "<f>\r\nG\r\n\r\n\r\n\r\n.\r\n<s>\r\nH\r\n\r\n\r\n\r\n.\r\n</s>\r\n\r\n</f>\r\n\r\n");
}

TEST(ExportFile, AFailedExportKeepsAnEarlierFileWhole)
{
    CQuestionDatabase database = exportSampleDatabase();
    CTempFile file("out.kvf");
    writeFile(file.path(), "earlier");
    EXPECT_EQ(errorText([&] { exportNode(database, "Q", file.path(), EntryKind::Folder); }),
              "folder Qnot found.");
    EXPECT_EQ(errorText([&] {
                  exportNode(database, "F", file.folder() + "/no/x.kvf", EntryKind::Folder);
              }),
              sj("ファイルの作成に失敗しました…。"));
    findSection(database.root, "F/G/H").lines.assign(100, std::string(100, 'q'));
    EXPECT_TRUE(test::inChildWithFileLimit(4096, [&] {
        return errorText([&] { exportNode(database, "F", file.path(), EntryKind::Folder); })
            == sj("ファイルの作成に失敗しました…。");
    }));
    EXPECT_EQ(readFile(file.path()), "earlier");
}

TEST(ImportFile, AddsTheFirstNodeOfTheKindUnderAUniqueName)
{
    const CQuestionDatabase source = exportSampleDatabase();
    CTempFile sectionFile("s.kve");
    CTempFile folderFile("f.kvf");
    exportNode(source, sj("英語/単語"), sectionFile.path(), EntryKind::Section);
    exportNode(source, "F", folderFile.path(), EntryKind::Folder);

    CQuestionDatabase database;
    database.root = treeOf("F[]");
    database.root.addSection().name = sj("単語");
    EXPECT_EQ(importNode(database, sectionFile.path(), EntryKind::Section), sj("単語 (1)"));
    EXPECT_TRUE(importSection(database, sectionFile.path()));
    EXPECT_EQ(importNode(database, folderFile.path(), EntryKind::Folder), "F (1)");
    EXPECT_EQ(importNode(database, folderFile.path(), EntryKind::Folder, "F"), "F/F");
    CSection copy = findSection(database.root, sj("単語 (2)"));
    copy.name = sj("単語");
    EXPECT_EQ(copy, findSection(source.root, sj("英語/単語")));
    CFolder folder = findFolder(database.root, "F (1)");
    folder.name = "F";
    EXPECT_EQ(folder, findFolder(source.root, "F")); // the whole subtree, notes and header too
    EXPECT_EQ(findFolder(database.root, "F/F"), findFolder(source.root, "F"));
}

TEST(ImportFile, FailuresAddNothing)
{
    CTempFile file("x.kve");
    struct Row
    {
        std::string content;
        EntryKind kind;
        std::string after;
    };
    const std::string section = "<s>\r\nS\r\n\r\n\r\n\r\n.\r\n</s>\r\n";
    const std::string folder = "<f>\r\nD\r\n\r\n\r\n\r\n.\r\n<s>\r\nN\r\n.\r\n</s>\r\n</f>\r\n";
    const Row rows[] = {
        { "anything\r\n" + section, EntryKind::Section, "T[],S" },
        { folder + section, EntryKind::Section, "T[],S" },
        { folder, EntryKind::Section, "T[]" },
        { section, EntryKind::Folder, "T[]" },
        { "<s>\r\nS\r\n.\r\n", EntryKind::Section, "T[]" },
        { "", EntryKind::Section, "T[]" },
        { "<s>\r\nx/y\r\n.\r\n</s>\r\n", EntryKind::Section, sj("T[],x／y") },
    };
    for (const Row &row : rows) {
        writeFile(file.path(), row.content);
        CQuestionDatabase database;
        database.root = treeOf("T[]");
        const bool imported = row.kind == EntryKind::Folder ? importFolder(database, file.path())
                                                            : importSection(database, file.path());
        EXPECT_EQ(imported, row.after != "T[]") << row.content;
        EXPECT_EQ(outlineOf(database.root), row.after) << row.content;
    }
    CQuestionDatabase database;
    EXPECT_FALSE(importSection(database, file.path(), "Missing"));
    EXPECT_EQ(importNode(database, file.path(), EntryKind::Section), sj("x／y"));
    for (int n = 1; n <= 99; ++n)
        database.root.addSection().name = sj("x／y (") + std::to_string(n) + ")";
    const std::string full = outlineOf(database.root);
    EXPECT_FALSE(importSection(database, file.path()));
    EXPECT_EQ(outlineOf(database.root), full);
}

TEST(ExportFileNames, ExtensionsAndProposedNames)
{
    const std::optional<EntryKind> S = EntryKind::Section, F = EntryKind::Folder, none;
    const std::pair<std::string, std::optional<EntryKind>> kinds[] = {
        { "a.kve", S },    { "a.kvf", F },           { "/d/x.KVE", none }, { "a.kvE", none },
        { "kve", S },      { "ve", none },           { "a.kv", none },     { sj("表.kvf"), F },
        { "a.txt", none }, { sj("ａｋｖｅ"), none },
    };
    for (const auto &[path, kind] : kinds)
        EXPECT_EQ(importKindOf(path), kind) << path;
    EXPECT_EQ(proposedExportFileName("<a>,b"), sj("＜a＞，b"));
    EXPECT_EQ(proposedExportFileName(sj("表<")), sj("表＜"));
    EXPECT_EQ(sj("，"), "\x81\x43");
}

} // namespace
} // namespace kvr
