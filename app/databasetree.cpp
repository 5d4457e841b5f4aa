#include "app/databasetree.h"

#include <algorithm>

#include "db/questiondatabase.h"
#include "platform/cp932.h"
#include "platform/error.h"

namespace kvr {

namespace {

// The name with its single-byte ASCII letters in lower case; trail bytes stay as they are.
std::string sortKey(std::string_view name)
{
    std::string key(name);
    for (std::size_t pos = 0; pos < key.size(); pos += cp932::charLength(key, pos)) {
        if (key[pos] >= 'A' && key[pos] <= 'Z')
            key[pos] = static_cast<char>(key[pos] - 'A' + 'a');
    }
    return key;
}

TreeNode nodeOf(const CFolder &folder, std::string name)
{
    TreeNode node { std::move(name), true, {} };
    for (const TreeEntry &entry : folder.entries) {
        if (entry.kind() == EntryKind::Folder)
            node.children.push_back(nodeOf(entry.folder(), entry.name()));
        else
            node.children.push_back(TreeNode { entry.name(), false, {} });
    }
    std::stable_sort(
        node.children.begin(), node.children.end(),
        [](const TreeNode &a, const TreeNode &b) { return treeNameLess(a.name, b.name); });
    return node;
}

std::vector<std::string_view> splitPath(std::string_view path)
{
    std::vector<std::string_view> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('/', start);
        names.push_back(
            path.substr(start, slash == std::string_view::npos ? slash : slash - start));
        if (slash == std::string_view::npos)
            return names;
        start = slash + 1;
    }
}

std::optional<std::size_t> childNamed(const TreeNode &node, std::string_view name)
{
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        if (node.children[i].name == name)
            return i;
    }
    return std::nullopt;
}

void showHeader(HeaderInfo &info, const CInnerHeader &header)
{
    info.copyrightHolder = header.field(CInnerHeader::CopyrightHolder);
    info.inputter = header.field(CInnerHeader::Inputter);
    info.notes = header.notesText();
}

} // namespace

bool treeNameLess(std::string_view a, std::string_view b)
{
    const std::string keyA = sortKey(a), keyB = sortKey(b);
    return std::lexicographical_compare(
        keyA.begin(), keyA.end(), keyB.begin(), keyB.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
}

TreeNode buildDatabaseTree(const CFolder &root)
{
    return nodeOf(root, {});
}

const TreeNode *nodeAt(const TreeNode &root, const TreeIndexPath &chain)
{
    if (chain.empty())
        return nullptr;
    const TreeNode *node = &root;
    for (const std::size_t index : chain) {
        if (index >= node->children.size())
            return nullptr;
        node = &node->children[index];
    }
    return node;
}

std::string treePath(const TreeNode &root, const TreeIndexPath &chain)
{
    if (!nodeAt(root, chain))
        return {};
    std::string path;
    const TreeNode *node = &root;
    for (std::size_t level = 0; level < chain.size(); ++level) {
        node = &node->children[chain[level]];
        if (level > 0)
            path += '/';
        path += node->name;
    }
    return path;
}

TreeIndexPath findNodeByPath(const TreeNode &root, std::string_view path)
{
    TreeIndexPath chain;
    const TreeNode *node = &root;
    for (const std::string_view name : splitPath(path)) {
        const auto index = childNamed(*node, name);
        if (!index)
            return root.children.empty() ? TreeIndexPath {} : TreeIndexPath { 0 };
        chain.push_back(*index);
        node = &node->children[*index];
    }
    return chain;
}

std::optional<std::string> collectionPathAt(const TreeNode &root, const TreeIndexPath &chain)
{
    const TreeNode *node = nodeAt(root, chain);
    if (!node || node->isFolder)
        return std::nullopt;
    return treePath(root, chain);
}

HeaderInfo headerInfo(const CFolder &root, std::string_view path, bool isFolder,
                      int nDefaultQuestions)
{
    HeaderInfo info;
    try {
        if (isFolder) {
            showHeader(info, findFolder(root, path).header);
            return info;
        }
        const CSection &section = findSection(root, path);
        showHeader(info, section.header);
        const int count = section.questionCount();
        info.questionCountText = std::to_string(count);
        info.countMinimum = 1;
        info.countMaximum = count;
        info.initialCount = std::min(count, nDefaultQuestions);
    } catch (const KvrError &error) {
        info = HeaderInfo {};
        info.error = error.what();
    }
    return info;
}

std::optional<bool> selectionMenuItemsEnabled(const TreeNode *selected)
{
    if (!selected)
        return std::nullopt;
    return !selected->isFolder;
}

std::optional<TreePopupView> treePopupView(const TreeNode &root, const TreeIndexPath &chain)
{
    const TreeNode *node = nodeAt(root, chain);
    if (!node)
        return std::nullopt;
    return TreePopupView { treePath(root, chain), !node->isFolder };
}

} // namespace kvr
