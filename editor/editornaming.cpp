// Creating and renaming folders and collections.
#include <utility>

#include "db/treeops.h"
#include "editor/editorsupport.h"
#include "platform/cp932.h"
#include "platform/error.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

std::string emptyNameText()
{
    return cp932::text("問題集名が空白です。入力してください。");
}

void addNode(CFolder &parent, EntryKind kind, const NewNodeForm &form, const std::string &name)
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
    header->headerFields[CInnerHeader::CopyrightHolder] = form.copyrightHolder;
    header->headerFields[CInnerHeader::Inputter] = form.inputter;
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

} // namespace

TreeEditResult createNode(TreeEditContext &context, EntryKind kind,
                          const std::optional<std::string> &selectedFolder,
                          const std::string &defaultUser, const AskNewNode &ask)
{
    CFolder &root = context.database.root;
    // A selection that no longer names a folder offers the root only.
    CFolder *selected = selectedFolder && hasFolder(root, *selectedFolder)
        ? &findFolder(root, *selectedFolder)
        : nullptr;
    NewNodeForm shown;
    shown.underSelectedFolder = selected != nullptr;
    for (;;) {
        shown.copyrightHolder = defaultUser;
        shown.inputter = defaultUser;
        const std::optional<NewNodeForm> entered = ask(shown);
        if (!entered)
            return {};
        const bool under = entered->underSelectedFolder && selected;
        const std::string name = nodeNameFrom(entered->name);
        shown.name = name;
        shown.underSelectedFolder = under;
        if (name.empty()) {
            editor::tell(context, emptyNameText());
            continue;
        }
        const std::string path = childPath(under ? *selectedFolder : std::string(), name);
        if (hasNode(root, path, kind)) {
            editor::tell(
                context,
                formatText(cp932::text("その名前の%sはすでにデータベースに存在しています。"),
                           editor::kindWord(kind).c_str()));
            continue;
        }
        addNode(under ? *selected : root, kind, *entered, name);
        editor::tell(
            context,
            formatText(cp932::text(kind == EntryKind::Folder ? "新しいフォルダ %s を作成しました。"
                                                             : "新しい問題集 %s を作成しました。"),
                       path.c_str()));
        return { true, NodeRef { path, kind } };
    }
}

TreeEditResult renameNode(TreeEditContext &context, const NodeRef &node,
                          const CommitOpenSection &commit, const AskNewName &ask)
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
    const std::string oldName(lastNameOf(node.path));
    RenameForm shown { oldName, header->field(CInnerHeader::CopyrightHolder),
                       header->field(CInnerHeader::Inputter) };
    std::string name;
    for (;;) {
        const std::optional<std::string> entered = ask(shown);
        if (!entered)
            return {};
        name = nodeNameFrom(*entered);
        if (!name.empty())
            break;
        editor::tell(context, emptyNameText());
        shown.name.clear();
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

} // namespace kvr
