// Creating and renaming folders and collections, and the details of their headers.
#include <utility>

#include "db/treeops.h"
#include "editor/editorsupport.h"
#include "platform/cp932.h"
#include "platform/error.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

void addNode(CFolder &parent, EntryKind kind, const HeaderForm &form, const std::string &name)
{
    CInnerHeader *header = nullptr;
    if (kind == EntryKind::Folder) {
        CFolder &folder = parent.addFolder();
        folder.name = name;
        header = &folder.header;
    } else {
        CSection &section = parent.addSection();
        section.name = name;
        header = &section.header;
    }
    *header = headerOf(form);
}

const CInnerHeader *headerAt(const CFolder &root, const NodeRef &node)
{
    if (!hasNode(root, node.path, node.kind))
        return nullptr;
    return node.kind == EntryKind::Folder ? &findFolder(root, node.path).header
                                          : &findSection(root, node.path).header;
}

std::string &nameAt(CFolder &root, const NodeRef &node)
{
    return node.kind == EntryKind::Folder ? findFolder(root, node.path).name
                                          : findSection(root, node.path).name;
}

// The form as entered, with "/" made "／" in the name; nothing after a refusal, which has
// been told.
std::optional<HeaderForm> checkedForm(IPrompter &prompter, HeaderDialogUse use, HeaderForm form)
{
    form.name = nodeNameFrom(form.name);
    if (const auto refusal = headerFormRefusal(use, form)) {
        prompter.tell(*refusal);
        return std::nullopt;
    }
    return form;
}

} // namespace

TreeEditResult createNode(TreeEditContext &context, EntryKind kind,
                          const std::optional<std::string> &selectedFolder,
                          const std::string &defaultUser, IHeaderDialog &dialog)
{
    CFolder &root = context.database.root;
    const HeaderDialogUse use =
        kind == EntryKind::Folder ? HeaderDialogUse::NewFolder : HeaderDialogUse::NewCollection;
    // A selection that no longer names a folder offers the root only.
    CFolder *selected = selectedFolder && hasFolder(root, *selectedFolder)
        ? &findFolder(root, *selectedFolder)
        : nullptr;
    HeaderForm shown;
    shown.underSelectedFolder = selected != nullptr;
    for (;;) {
        shown.copyrightHolder = defaultUser;
        shown.inputter = defaultUser;
        const std::optional<HeaderForm> entered =
            dialog.askHeader(headerDialogView(use, shown, selected != nullptr));
        if (!entered)
            return {};
        const bool under = entered->underSelectedFolder && selected;
        const std::optional<HeaderForm> form = checkedForm(context.prompter, use, *entered);
        // Asked again with what was entered; text that could not be taken is not shown back.
        if (!entered->unmappable) {
            shown = *entered;
            shown.name = nodeNameFrom(entered->name);
            shown.underSelectedFolder = under;
        }
        if (!form)
            continue;
        const std::string path = childPath(under ? *selectedFolder : std::string(), form->name);
        if (hasNode(root, path, kind)) {
            editor::tell(
                context,
                formatText(cp932::text("その名前の%sはすでにデータベースに存在しています。"),
                           editor::kindWord(kind).c_str()));
            continue;
        }
        addNode(under ? *selected : root, kind, *form, form->name);
        editor::tell(
            context,
            formatText(cp932::text(kind == EntryKind::Folder ? "新しいフォルダ %s を作成しました。"
                                                             : "新しい問題集 %s を作成しました。"),
                       path.c_str()));
        return { true, NodeRef { path, kind } };
    }
}

TreeEditResult renameNode(TreeEditContext &context, const NodeRef &node,
                          const CommitOpenSection &commit, IHeaderDialog &dialog)
{
    if (commit && !commit()) {
        editor::tell(context, cp932::text("データベースの更新に失敗しました・・・"));
        return {};
    }
    const CInnerHeader *header = headerAt(context.database.root, node);
    if (!header) {
        editor::tell(context, cp932::text("変更に失敗しました"));
        return {};
    }
    const HeaderDialogUse use = node.kind == EntryKind::Folder ? HeaderDialogUse::RenameFolder
                                                               : HeaderDialogUse::RenameCollection;
    const std::string oldName(lastNameOf(node.path));
    HeaderForm shown = formOf(oldName, *header);
    std::string name;
    for (;;) {
        const std::optional<HeaderForm> entered = dialog.askHeader(headerDialogView(use, shown));
        if (!entered)
            return {};
        if (const std::optional<HeaderForm> form = checkedForm(context.prompter, use, *entered)) {
            name = form->name;
            break;
        }
        shown.name = entered->unmappable ? oldName : nodeNameFrom(entered->name);
    }
    if (name == oldName)
        return {};
    try {
        nameAt(context.database.root, node) = name;
    } catch (const KvrError &) {
        editor::tell(context, cp932::text("変更に失敗しました"));
        return {};
    }
    const std::string newPath = childPath(parentPathOf(node.path), name);
    editor::renameHistory(context, node.path, newPath, node.kind);
    return { true, NodeRef { newPath, node.kind } };
}

std::optional<CInnerHeader> askDetails(IPrompter &prompter, const std::string &name,
                                       const CInnerHeader &header, IHeaderDialog &dialog)
{
    HeaderForm shown = formOf(name, header);
    for (;;) {
        const std::optional<HeaderForm> entered =
            dialog.askHeader(headerDialogView(HeaderDialogUse::Details, shown));
        if (!entered)
            return std::nullopt;
        const auto refusal = headerFormRefusal(HeaderDialogUse::Details, *entered);
        if (!refusal)
            return headerOf(*entered);
        prompter.tell(*refusal);
        if (!entered->unmappable) {
            shown = *entered;
            shown.name = name;
        }
    }
}

} // namespace kvr
