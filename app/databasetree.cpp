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

TreeNode::TreeNode(std::string name, bool isFolder, std::vector<TreeNode> children)
    : name(std::move(name))
    , isFolder(isFolder)
    , children(std::move(children))
{
}

TreeNode::TreeNode(const TreeNode &other)
    : name(other.name)
    , isFolder(other.isFolder)
{
    std::vector<std::pair<TreeNode *, const TreeNode *>> pending { { this, &other } };
    while (!pending.empty()) {
        const auto [to, from] = pending.back();
        pending.pop_back();
        // Reserved first: the addresses of the new children stay valid while pending.
        to->children.reserve(from->children.size());
        for (const TreeNode &child : from->children) {
            to->children.emplace_back(child.name, child.isFolder);
            pending.emplace_back(&to->children.back(), &child);
        }
    }
}

TreeNode &TreeNode::operator=(const TreeNode &other)
{
    if (this != &other) {
        TreeNode copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TreeNode::~TreeNode()
{
    if (children.empty())
        return;
    // Each node's children are taken out before the node goes, so every destructor below
    // meets a node without children.
    std::vector<TreeNode> pending = std::move(children);
    while (!pending.empty()) {
        TreeNode node = std::move(pending.back());
        pending.pop_back();
        for (TreeNode &child : node.children)
            pending.push_back(std::move(child));
    }
}

bool TreeNode::operator==(const TreeNode &other) const
{
    std::vector<std::pair<const TreeNode *, const TreeNode *>> pending { { this, &other } };
    while (!pending.empty()) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        if (a->name != b->name || a->isFolder != b->isFolder
            || a->children.size() != b->children.size())
            return false;
        for (std::size_t i = 0; i < a->children.size(); ++i)
            pending.emplace_back(&a->children[i], &b->children[i]);
    }
    return true;
}

TreeNode buildDatabaseTree(const CFolder &root)
{
    TreeNode tree;
    tree.isFolder = true;
    std::vector<std::pair<TreeNode *, const CFolder *>> pending { { &tree, &root } };
    while (!pending.empty()) {
        const auto [node, folder] = pending.back();
        pending.pop_back();
        // Sorted with their sources, so each child folder is filled from its own folder.
        std::vector<std::pair<TreeNode, const CFolder *>> children;
        children.reserve(folder->entries.size());
        for (const TreeEntry &entry : folder->entries) {
            const bool isFolder = entry.kind() == EntryKind::Folder;
            children.emplace_back(TreeNode(entry.name(), isFolder),
                                  isFolder ? &entry.folder() : nullptr);
        }
        std::stable_sort(children.begin(), children.end(), [](const auto &a, const auto &b) {
            return treeNameLess(a.first.name, b.first.name);
        });
        node->children.reserve(children.size());
        for (auto &[child, source] : children) {
            node->children.push_back(std::move(child));
            if (source)
                pending.emplace_back(&node->children.back(), source);
        }
    }
    return tree;
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
