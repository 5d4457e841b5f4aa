#pragma once

#include <functional>
#include <optional>
#include <string>

#include "db/questiondatabase.h"
#include "platform/prompter.h"

// The question editor's commands on whole folders and collections, with every question and
// message they show. Dialogs come in as small seams; the tree view acts on the result.
namespace kvr {

// The open database, the file it came from and the learners' history file.
struct TreeEditContext
{
    CQuestionDatabase &database;
    std::string databasePath;
    std::string logPath;
    IPrompter &prompter;
};

// A folder or collection by its path from the root.
struct NodeRef
{
    std::string path;
    EntryKind kind = EntryKind::Section;
};

// What the tree view does afterwards.
struct TreeEditResult
{
    bool changed = false; // the database in memory changed: rebuild the tree, mark it modified
    std::optional<NodeRef> select; // the node to select in the rebuilt tree
};

// The creation dialog's fields.
struct NewNodeForm
{
    std::string name;
    std::string copyrightHolder;
    std::string inputter;
    bool underSelectedFolder = false; // else at the root
};
// Shows the creation dialog filled with the form; the entered form, or nothing on cancel.
using AskNewNode = std::function<std::optional<NewNodeForm>(const NewNodeForm &shown)>;

// Creates a collection or folder at the root or under selectedFolder (given when a folder
// is selected in the tree; it is then the preselected place). Both header texts start as
// defaultUser. An empty name is refused, "/" becomes "／", and a name that is taken at
// that place is refused; each refusal shows its message and asks again with the entered
// name and place, the two header texts back at their presets.
TreeEditResult createNode(TreeEditContext &context, EntryKind kind,
                          const std::optional<std::string> &selectedFolder,
                          const std::string &defaultUser, const AskNewNode &ask);

// Deletes a collection after saving it into "Backup.kvr" beside the database file, or a
// folder after copying the database file to its ".old" path; both ask first. Nothing is
// deleted when the backup cannot be written.
TreeEditResult deleteNode(TreeEditContext &context, const NodeRef &node);

enum class TransferMode { Copy, Move };

// Copies or moves a node into targetFolder (the root when empty) under a unique name, after
// the ".old" copy of the database file; a move carries the learners' history along. A folder
// is never copied or moved into itself or below itself.
TreeEditResult transferNode(TreeEditContext &context, const NodeRef &source,
                            const std::string &targetFolder, TransferMode mode);

// The rename dialog's fields: the name is editable, the two header texts are shown only.
struct RenameForm
{
    std::string name;
    std::string copyrightHolder;
    std::string inputter;
};
// Shows the rename dialog; the entered name, or nothing on cancel.
using AskNewName = std::function<std::optional<std::string>(const RenameForm &shown)>;
// Writes the collection open in the grid back into the database; false when that fails.
using CommitOpenSection = std::function<bool()>;

// Renames a node and the learners' history with it. Siblings are not checked: the new name
// may equal a sibling's, and a path then reaches the first of the two.
TreeEditResult renameNode(TreeEditContext &context, const NodeRef &node,
                          const CommitOpenSection &commit, const AskNewName &ask);

// Where the backups of the database file at databasePath go.
std::string backupFilePath(const std::string &databasePath);
std::string oldCopyPath(const std::string &databasePath);

} // namespace kvr
