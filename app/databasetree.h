#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvr {

struct CFolder;

// The main window's tree as data: one node per folder or collection. Names are CP932.
// Folders nest to any depth, so copying, comparing and destroying a node work through a
// list of pending nodes instead of recursing: a deep tree cannot overflow the stack.
struct TreeNode
{
    std::string name;
    bool isFolder = false;
    std::vector<TreeNode> children;

    TreeNode() = default;
    TreeNode(std::string name, bool isFolder, std::vector<TreeNode> children = {});
    TreeNode(const TreeNode &other);
    TreeNode(TreeNode &&) noexcept = default;
    TreeNode &operator=(const TreeNode &other);
    TreeNode &operator=(TreeNode &&) noexcept = default;
    ~TreeNode();

    bool operator==(const TreeNode &other) const;
};

// A node's place: the index at each level from the top (empty: no node).
using TreeIndexPath = std::vector<std::size_t>;

// True when a comes before b in the tree. Names compare character by character: ASCII
// letters without regard to case (folded to lower case, so "_" and "[" come before
// letters), every other single- or double-byte character by its CP932 byte values
// (ASCII, then double-byte characters from 0x81, half-width katakana between the two lead
// byte ranges); a name that is the start of another comes first. This follows the tree
// control's alphabetical sort for the names that occur in practice.
bool treeNameLess(std::string_view a, std::string_view b);

// The root folder as a tree (the returned node stands for the root and has no name).
// Each level is sorted by name with treeNameLess, keeping database order among equal names.
TreeNode buildDatabaseTree(const CFolder &root);

// The node at chain, or nullptr when an index is out of range or chain is empty.
const TreeNode *nodeAt(const TreeNode &root, const TreeIndexPath &chain);

// The names from the top down to the node at chain, joined with "/" (the path by which the
// database looks folders and collections up). Empty for an invalid chain.
std::string treePath(const TreeNode &root, const TreeIndexPath &chain);

// The node to select for a stored path (LastSection): its names walked from the top, at
// each level the first item with that text. When a name is not found, the first top-level
// item; an empty chain for an empty tree.
TreeIndexPath findNodeByPath(const TreeNode &root, std::string_view path);

// The path of the collection at chain; nothing for a folder or no node (a drill start
// from the tree then does nothing).
std::optional<std::string> collectionPathAt(const TreeNode &root, const TreeIndexPath &chain);

// What the window shows of a selected folder or collection.
struct HeaderInfo
{
    std::string copyrightHolder; // "著作権者"
    std::string inputter; // "問題入力者"
    std::string notes; // joined with CR LF
    std::string questionCountText; // "問題数": decimal; empty for a folder
    int countMinimum = 0; // the statistics page's count arrows: 1 … count, 0 … 0 for a folder
    int countMaximum = 0;
    int initialCount = 0; // min(count, nDefaultQuestions); 0 for a folder
    std::string error; // the look-up's error text when the item was not found; else empty

    bool ok() const { return error.empty(); }
    bool operator==(const HeaderInfo &) const = default;
};

// Looks the path up as a folder or a collection (findFolder / findSection) without
// throwing: a failed look-up gives empty fields and its error text.
HeaderInfo headerInfo(const CFolder &root, std::string_view path, bool isFolder,
                      int nDefaultQuestions);

// The menu-bar items that follow the selection: "問題のショートカットの作成(&S)...",
// "問題一覧(&P)...\tF9", "和英入力モード(&J)" and "SpeedReply(&S)" are enabled for a
// collection and greyed for a folder; nothing (leave them as they are) without a selection.
// The other mode items never change.
std::optional<bool> selectionMenuItemsEnabled(const TreeNode *selected);

// The tree's right-click popup for the node at chain: the last item shows the path
// (disabled); "問題一覧(&P)..." and "この問題集のショートカットを作成する(&A)..." are greyed for
// a folder. Nothing for no node.
struct TreePopupView
{
    std::string path; // the popup path and the text of the last item
    bool collectionItemsEnabled = false;
};
std::optional<TreePopupView> treePopupView(const TreeNode &root, const TreeIndexPath &chain);

} // namespace kvr
