#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/databasetree.h"
#include "db/questiondatabase.h"

// The choice dialog ("問題集を選択してください" in its resource): a tree of the whole
// database from which a collection or a destination folder is chosen.
namespace kvr {

enum class ChoiceKind { Collection, Folder, FolderOrCollection };

struct ChoiceDialogRequest
{
    ChoiceKind kind = ChoiceKind::Collection;
    // "問題集を選択してください。", "フォルダを選択してください。" or
    // "フォルダ 及び 問題集を選択してください。".
    std::string caption;
    bool rootBoxShown = false; // the check box "ルートに作成する" (choosing a destination)
    std::string rootBoxText; // "ルートに作成する"
    // A folder that is no destination, nor any folder below it (empty: none).
    std::string excludedFolder;
    TreeNode tree; // the whole database, sorted as the main window's tree
};

// What was chosen: the root (the check box ticked), or the item at path.
struct ChoiceAnswer
{
    bool root = false;
    std::string path;
    EntryKind kind = EntryKind::Section;

    bool operator==(const ChoiceAnswer &) const = default;
};

// The choice dialog (a destination folder, a collection).
class IChoiceDialog
{
public:
    virtual ~IChoiceDialog() = default;
    // Shows the dialog; the choice, or nothing on cancel.
    virtual std::optional<ChoiceAnswer> askChoice(const ChoiceDialogRequest &request) = 0;
};

// A collection of the database (insert from another collection).
ChoiceDialogRequest collectionChoice(const CFolder &root);
// A destination folder for copying or moving the node at sourcePath: folders only, the root
// by the check box, never the source folder itself or a folder below it.
ChoiceDialogRequest destinationChoice(const CFolder &root, std::string_view sourcePath,
                                      EntryKind sourceKind);

// True when the dialog accepts the item as its answer.
bool choiceAccepts(const ChoiceDialogRequest &request, std::string_view path, EntryKind kind);
// OK is enabled while "ルートに作成する" is ticked (it is then shown, and the tree is
// disabled), or while an accepted item is selected.
bool choiceOkEnabled(const ChoiceDialogRequest &request,
                     const std::optional<ChoiceAnswer> &selected, bool rootTicked);
// A dialog's answer checked against the request; nothing when it is not acceptable.
std::optional<ChoiceAnswer> acceptedChoice(const ChoiceDialogRequest &request,
                                           const std::optional<ChoiceAnswer> &answer);

} // namespace kvr
