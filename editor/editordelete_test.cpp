#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
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

const NodeRef kSectionX { "F/X", EntryKind::Section };

// The collections at the top of the backup file, with their first lines.
std::string backupOutline(const EditorFiles &files)
{
    CQuestionDatabase backup;
    readDatabase(backup, backupFilePath(files.context.databasePath));
    std::string out = outlineOf(backup.root);
    for (const TreeEntry &entry : backup.root.entries) {
        if (!entry.section().lines.empty())
            out += " " + entry.section().lines.front();
    }
    return out;
}

TEST(EditorDeleteSection, AsksThenKeepsTheCollectionInTheBackupFile)
{
    EditorFiles files("F[X],X");
    findSection(files.database.root, "F/X").lines = { "first" };
    findSection(files.database.root, "X").lines = { "second" };
    files.prompter.replies = { Reply::No };
    EXPECT_FALSE(deleteNode(files.context, kSectionX).changed);
    ASSERT_EQ(files.prompter.asked.size(), 1u);
    const Message &question = files.prompter.asked[0];
    EXPECT_EQ(question.text,
              sj("問題集 X を消去してもよろしいですか？\n（消去された問題集は Backup.kvr "
                 "に保存されますが、元に戻すにはファイルを直接書き換える必要があります）"));
    EXPECT_EQ(question.caption, sj("消去確認"));
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    EXPECT_FALSE(fileExists(backupFilePath(files.context.databasePath)));

    const TreeEditResult first = deleteNode(files.context, kSectionX);
    EXPECT_TRUE(first.changed);
    EXPECT_FALSE(first.select);
    EXPECT_EQ(backupOutline(files), "X first");
    ASSERT_TRUE(deleteNode(files.context, { "X", EntryKind::Section }).changed);
    EXPECT_EQ(backupOutline(files), "X second"); // the earlier backup of the name is replaced
    EXPECT_EQ(outlineOf(files.database.root), "F[]");
    EXPECT_EQ(files.prompter.asked.size(), 3u); // the questions only
}

TEST(EditorDeleteSection, NothingIsDeletedWhenTheBackupCannotBeWritten)
{
    struct Row
    {
        std::string what;
        std::function<void(EditorFiles &)> arrange;
    };
    const std::string backupFailed =
        sj("バックアップファイルの作成に失敗しました・・・\n問題集は消去されませんでした。");
    const Row rows[] = {
        { "folder missing",
          [](EditorFiles &files) {
              files.context.databasePath = files.dbFile.folder() + "/no/db";
          } },
        { "backup is a folder",
          [](EditorFiles &files) {
              std::filesystem::create_directories(
                  nativePath(backupFilePath(files.context.databasePath)) + "/sub");
          } },
    };
    for (const Row &row : rows) {
        EditorFiles files("F[X],X");
        row.arrange(files);
        EXPECT_FALSE(deleteNode(files.context, kSectionX).changed) << row.what;
        EXPECT_EQ(outlineOf(files.database.root), "F[X],X") << row.what;
        EXPECT_EQ(files.prompter.texts().back(), backupFailed) << row.what;
    }

    // A failed write leaves the earlier backup file whole.
    EditorFiles files("F[X],X");
    findSection(files.database.root, "F/X").lines.assign(200, std::string(100, 'q'));
    const std::string backupPath = backupFilePath(files.context.databasePath);
    writeFile(backupPath, "<s>\r\nOld\r\n\r\n\r\n\r\n.\r\n</s>\r\n");
    const std::string earlier = readFile(backupPath);
    EXPECT_TRUE(test::inChildWithFileLimit(4096, [&] {
        return !deleteNode(files.context, kSectionX).changed
            && outlineOf(files.database.root) == "F[X],X"
            && files.prompter.texts().back() == backupFailed;
    }));
    EXPECT_EQ(readFile(backupPath), earlier);
}

TEST(EditorDeleteSection, ADamagedBackupFileKeepsWhatCanBeRead)
{
    EditorFiles files("F[X]");
    writeFile(backupFilePath(files.context.databasePath),
              "<s>\r\nOld\r\n\r\n\r\n\r\n.\r\nline\r\n");
    ASSERT_TRUE(deleteNode(files.context, kSectionX).changed);
    EXPECT_EQ(backupOutline(files), "Old,X line");
}

TEST(EditorDeleteSection, AMissingCollectionIsToldWithoutAsking)
{
    EditorFiles files("F[X]");
    EXPECT_FALSE(deleteNode(files.context, { "F/Q", EntryKind::Section }).changed);
    EXPECT_FALSE(deleteNode(files.context, { "Q/X", EntryKind::Section }).changed);
    EXPECT_EQ(files.prompter.texts(), Strings(2, sj("問題集を削除できませんでした・・・")));
}

TEST(EditorDeleteFolder, CopiesTheFileAsWrittenToOldThenDeletes)
{
    EditorFiles files("F[X,G[Y]],X");
    files.save();
    const std::string onDisk = readFile(files.context.databasePath);
    files.database.root.addSection().name = "unsaved";
    const std::string oldPath = files.context.databasePath + ".old";
    files.prompter.replies = { Reply::No };
    EXPECT_FALSE(deleteNode(files.context, { "F", EntryKind::Folder }).changed);
    EXPECT_FALSE(fileExists(oldPath));
    const Message &question = files.prompter.asked[0];
    EXPECT_EQ(question.text,
              sj("フォルダ F を消去してもよろしいですか？\nフォルダ中に含まれる問題集・フォルダもす"
                 "べて削除されます。\n（注意：消去されたフォルダはバックアップされません。削除前の"
                 "データベースを ")
                  + files.context.databasePath + sj(".old に保存します。）"));
    EXPECT_EQ(question.caption, sj("フォルダ消去確認"));
    EXPECT_EQ(question.buttons, Buttons::YesNo);

    EXPECT_TRUE(deleteNode(files.context, { "F/G", EntryKind::Folder }).changed);
    EXPECT_EQ(readFile(oldPath), onDisk);
    EXPECT_EQ(outlineOf(files.database.root), "F[X],X,unsaved");
}

TEST(EditorDeleteFolder, NothingIsDeletedWithoutTheOldCopy)
{
    const std::string oldFailed =
        sj("バックアップを作成できませんでした。（フォルダは削除されていません）");
    EditorFiles files("F[X]");
    EXPECT_FALSE(deleteNode(files.context, { "F", EntryKind::Folder }).changed); // no file yet
    EXPECT_EQ(files.prompter.texts().back(), oldFailed);
    EXPECT_FALSE(deleteNode(files.context, { "Q", EntryKind::Folder }).changed);
    EXPECT_EQ(files.prompter.texts().back(), sj("フォルダを削除できませんでした・・・"));

    // A failed copy leaves the earlier ".old" whole.
    findSection(files.database.root, "F/X").lines.assign(200, std::string(100, 'q'));
    files.save();
    const std::string oldPath = files.context.databasePath + ".old";
    writeFile(oldPath, "earlier");
    EXPECT_TRUE(test::inChildWithFileLimit(4096, [&] {
        return !deleteNode(files.context, { "F", EntryKind::Folder }).changed
            && files.prompter.texts().back() == oldFailed;
    }));
    EXPECT_EQ(readFile(oldPath), "earlier");
    EXPECT_EQ(outlineOf(files.database.root), "F[X]");
}

TEST(EditorBackupPaths, LieBesideTheDatabaseFile)
{
    EXPECT_EQ(backupFilePath("/d/Datas/DBv3.kvr"), "/d/Datas/Backup.kvr");
    EXPECT_EQ(backupFilePath("DBv3.kvr"), "Backup.kvr");
    EXPECT_EQ(oldCopyPath("/d/DBv3.kvr"), "/d/DBv3.kvr.old");
}

} // namespace
} // namespace kvr
