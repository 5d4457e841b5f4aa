// Deleting folders and collections behind a backup.
#include "db/treeops.h"
#include "editor/editorsupport.h"
#include "platform/cp932.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

// The texts, in UTF-8 here and CP932 where shown.
constexpr const char *kAskDeleteSection = "問題集 %s を消去してもよろしいですか？\n"
                                          "（消去された問題集は Backup.kvr に保存されますが、"
                                          "元に戻すにはファイルを直接書き換える必要があります）";
constexpr const char *kAskDeleteFolder =
    "フォルダ %s を消去してもよろしいですか？\n"
    "フォルダ中に含まれる問題集・フォルダもすべて削除されます。\n"
    "（注意：消去されたフォルダはバックアップされません。"
    "削除前のデータベースを %s.old に保存します。）";
constexpr const char *kBackupFailed =
    "バックアップファイルの作成に失敗しました・・・\n問題集は消去されませんでした。";
constexpr const char *kOldCopyFailed =
    "バックアップを作成できませんでした。（フォルダは削除されていません）";
constexpr const char *kSectionNotDeleted = "問題集を削除できませんでした・・・";
constexpr const char *kFolderNotDeleted = "フォルダを削除できませんでした・・・";

bool confirm(TreeEditContext &context, std::string text, const char *caption)
{
    Message message;
    message.text = std::move(text);
    message.caption = cp932::text(caption);
    message.buttons = Buttons::YesNo;
    return context.prompter.ask(message) == Reply::Yes;
}

CSection *sectionNamedAtRoot(CQuestionDatabase &database, const std::string &name)
{
    for (TreeEntry &entry : database.root.entries) {
        if (entry.kind() == EntryKind::Section && entry.name() == name)
            return &entry.section();
    }
    return nullptr;
}

// Keeps the collection in the backup file, replacing an earlier backup of the same name.
// False, with the file as it was, when the file is there but unreadable (rewriting it would
// lose every earlier backup) or the new file cannot be written.
bool writeSectionBackup(const std::string &backupPath, const CSection &section)
{
    CQuestionDatabase backup;
    if (fileExists(backupPath)) {
        const std::optional<std::string> content = readWholeFile(backupPath);
        if (!content)
            return false;
        readDatabaseText(backup, *content); // a damaged file keeps what could be read
    }
    CSection *slot = sectionNamedAtRoot(backup, section.name);
    copySectionInto(slot ? *slot : backup.root.addSection(), section);
    return writeDatabase(backup, backupPath);
}

TreeEditResult deleteSectionWithBackup(TreeEditContext &context, const std::string &path)
{
    CFolder &root = context.database.root;
    const std::string cannotDelete = cp932::text(kSectionNotDeleted);
    if (!hasSection(root, path)) {
        editor::tell(context, cannotDelete);
        return {};
    }
    const CSection &section = findSection(root, path);
    if (!confirm(context, formatText(cp932::text(kAskDeleteSection), section.name.c_str()),
                 "消去確認"))
        return {};
    if (!writeSectionBackup(backupFilePath(context.databasePath), section)) {
        editor::tell(context, cp932::text(kBackupFailed));
        return {};
    }
    if (!deleteSection(root, path)) {
        editor::tell(context, cannotDelete);
        return {};
    }
    return { true, std::nullopt };
}

TreeEditResult deleteFolderWithOldCopy(TreeEditContext &context, const std::string &path)
{
    CFolder &root = context.database.root;
    const std::string cannotDelete = cp932::text(kFolderNotDeleted);
    if (!hasFolder(root, path)) {
        editor::tell(context, cannotDelete);
        return {};
    }
    const std::string name(lastNameOf(path));
    if (!confirm(
            context,
            formatText(cp932::text(kAskDeleteFolder), name.c_str(), context.databasePath.c_str()),
            "フォルダ消去確認"))
        return {};
    if (!editor::writeOldCopy(context.databasePath)) {
        editor::tell(context, cp932::text(kOldCopyFailed));
        return {};
    }
    if (!deleteFolder(root, path)) {
        editor::tell(context, cannotDelete);
        return {};
    }
    return { true, std::nullopt };
}

} // namespace

TreeEditResult deleteNode(TreeEditContext &context, const NodeRef &node)
{
    return node.kind == EntryKind::Folder ? deleteFolderWithOldCopy(context, node.path)
                                          : deleteSectionWithBackup(context, node.path);
}

} // namespace kvr
