#pragma once

#include <functional>
#include <optional>
#include <string>

#include "db/questiondatabase.h"
#include "editor/headerdialog.h"
#include "platform/prompter.h"

// The question editor's commands on whole folders and collections, with every question and
// message they show. Dialogs come in as small seams; the tree view acts on the result.
namespace kvr {

class CDailyBackup;

// The open database, the file it came from and the learners' history file.
struct TreeEditContext
{
    CQuestionDatabase &database;
    std::string databasePath;
    std::string logPath;
    IPrompter &prompter;
    const CDailyBackup *backup = nullptr; // taken before the log is written
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

// Creates a collection or folder at the root or under selectedFolder (given when a folder
// is selected in the tree; it is then the preselected place), through the header dialog in
// its creation use. Copyright holder and inputter start as defaultUser. A refused form
// (headerFormRefusal; "/" becomes "／" first) and a name that is taken at that place show
// their message and ask again with what was entered, the two header texts back at their
// presets.
TreeEditResult createNode(TreeEditContext &context, EntryKind kind,
                          const std::optional<std::string> &selectedFolder,
                          const std::string &defaultUser, IHeaderDialog &dialog);

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

// Writes the collection open in the grid back into the database; false when that fails.
using CommitOpenSection = std::function<bool()>;

// Renames a node and the learners' history with it. Siblings are not checked: the new name
// may equal a sibling's, and a path then reaches the first of the two.
// The header dialog in its rename use shows the name and, read-only, the header; an empty
// or unstorable name is refused and asked again.
TreeEditResult renameNode(TreeEditContext &context, const NodeRef &node,
                          const CommitOpenSection &commit, IHeaderDialog &dialog);

// The header dialog in its details use over an item's name and working header: the header
// entered, or nothing on cancel. Fields the database file would misread are refused and
// asked again.
std::optional<CInnerHeader> askDetails(IPrompter &prompter, const std::string &name,
                                       const CInnerHeader &header, IHeaderDialog &dialog);

// Where the backups of the database file at databasePath go.
std::string backupFilePath(const std::string &databasePath);
std::string oldCopyPath(const std::string &databasePath);

} // namespace kvr
