// Copying and moving folders and collections.
#include <exception>

#include "db/treeops.h"
#include "editor/editorsupport.h"
#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr const char *kIntoItself =
    "フォルダ %s をそれ自身またはその中のフォルダへ%sすることはできません。";
constexpr const char *kNoFreeName = "%s先に %s と同じ名前の%sが多すぎるため、%sできませんでした。";
constexpr const char *kOldCopyFailed = "バックアップファイルを作成できませんでした。";
constexpr const char *kFailedWithError = "%s中にエラーが発生しました。%s";
constexpr const char *kSectionSourceNotDeleted = "移動元の問題集を削除できませんでした。";
constexpr const char *kFolderSourceNotDeleted = "移動元のフォルダを削除できませんでした。";

struct TransferPlan
{
    CFolder *target = nullptr;
    std::string newPath;
};

// Where the copy goes, after the checks that stop a transfer before anything is written.
// Look-ups raise KvrError; a refusal is told here and gives nothing.
std::optional<TransferPlan> planTransfer(TreeEditContext &context, const NodeRef &source,
                                         const std::string &targetFolder, const std::string &verb)
{
    CFolder &root = context.database.root;
    TransferPlan plan;
    plan.target = targetFolder.empty() ? &root : &findFolder(root, targetFolder);
    if (source.kind == EntryKind::Folder) {
        if (isWithinFolder(findFolder(root, source.path), *plan.target)) {
            editor::tell(context,
                         formatText(cp932::text(kIntoItself), source.path.c_str(), verb.c_str()));
            return std::nullopt;
        }
    } else {
        findSection(root, source.path);
    }
    const std::string_view name = lastNameOf(source.path);
    std::optional<std::string> unique =
        makeUniqueName(root, childPath(targetFolder, name), source.kind);
    if (!unique) {
        editor::tell(context,
                     formatText(cp932::text(kNoFreeName), verb.c_str(), std::string(name).c_str(),
                                editor::kindWord(source.kind).c_str(), verb.c_str()));
        return std::nullopt;
    }
    plan.newPath = std::move(*unique);
    return plan;
}

// The copy is made whole before it joins the tree, so a failure leaves no half-made node.
void appendCopy(CFolder &root, const NodeRef &source, const TransferPlan &plan)
{
    const std::string name(lastNameOf(plan.newPath));
    if (source.kind == EntryKind::Folder) {
        CFolder copy = findFolder(root, source.path);
        copy.name = name;
        plan.target->entries.emplace_back(std::move(copy));
    } else {
        CSection copy = findSection(root, source.path);
        copy.name = name;
        plan.target->entries.emplace_back(std::move(copy));
    }
}

} // namespace

TreeEditResult transferNode(TreeEditContext &context, const NodeRef &source,
                            const std::string &targetFolder, TransferMode mode)
{
    const std::string verb = cp932::text(mode == TransferMode::Copy ? "コピー" : "移動");
    const auto failed = [&](const std::exception &error) {
        editor::tell(context,
                     formatText(cp932::text(kFailedWithError), verb.c_str(), error.what()));
    };
    CFolder &root = context.database.root;
    std::optional<TransferPlan> plan;
    try {
        plan = planTransfer(context, source, targetFolder, verb);
    } catch (const std::exception &error) {
        failed(error);
        return {};
    }
    if (!plan)
        return {};
    if (!editor::writeOldCopy(context.databasePath)) {
        editor::tell(context, cp932::text(kOldCopyFailed));
        return {};
    }
    try {
        appendCopy(root, source, *plan);
    } catch (const std::exception &error) {
        failed(error);
        return {};
    }
    TreeEditResult result { true, NodeRef { plan->newPath, source.kind } };
    if (mode == TransferMode::Copy)
        return result;
    bool deleted = false;
    try {
        deleted = source.kind == EntryKind::Folder ? deleteFolder(root, source.path)
                                                   : deleteSection(root, source.path);
    } catch (const std::exception &error) {
        failed(error);
        return result;
    }
    if (!deleted) {
        editor::tell(context,
                     cp932::text(source.kind == EntryKind::Folder ? kFolderSourceNotDeleted
                                                                  : kSectionSourceNotDeleted));
        return result;
    }
    editor::renameHistory(context, source.path, plan->newPath, source.kind);
    return result;
}

} // namespace kvr
