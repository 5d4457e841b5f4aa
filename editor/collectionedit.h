#pragma once

#include <optional>
#include <string>

#include "db/questiondatabase.h"
#include "editor/questiongrid.h"
#include "platform/prompter.h"

// The right-hand side of the editor's main window: the item selected in the tree and its
// working copy (header and, for a collection, the question grid), the modified flag, the
// window title, and saving the working copy into the database and its file.
namespace kvr {

// The item selected in the tree.
struct SelectedItem
{
    std::string path; // "/"-joined names from the root
    std::string displayName; // the tree item's text
    EntryKind kind = EntryKind::Section;

    bool operator==(const SelectedItem &) const = default;
};

// saveCollection's results, numbered as the window's code knows them.
enum class SaveResult { Saved = 0, Failed = 1, Discarded = 2, Cancelled = 3, NothingToSave = 4 };

class CCollectionEdit
{
public:
    CCollectionEdit(CQuestionDatabase &database, std::string databasePath, IPrompter &prompter);

    CQuestionDatabase &database() { return m_database; }
    const CQuestionDatabase &database() const { return m_database; }
    // The file the database is written to.
    const std::string &databasePath() const { return m_databasePath; }
    void setDatabasePath(std::string path) { m_databasePath = std::move(path); }

    // Makes the item the open one: a folder's header, or a collection's header and grid
    // (row 0 current). A failed look-up is told ("フォルダの情報が取得できませんでした。" /
    // "問題集の情報が取得できませんでした。") and leaves an empty working copy. The modified
    // flag is cleared.
    void open(const SelectedItem &item);
    // Nothing open.
    void close();
    const std::optional<SelectedItem> &selected() const { return m_selected; }
    bool collectionOpen() const;

    const CInnerHeader &header() const { return m_header; }
    // Stores an edited header in the working copy; the collection counts as modified.
    void setHeader(CInnerHeader header);
    CQuestionGrid &grid() { return m_grid; }
    const CQuestionGrid &grid() const { return m_grid; }

    bool modified() const { return m_modified; }
    void setModified(bool modified = true) { m_modified = modified; }
    // "%s - KvrEditor " / "%s - （更新）KvrEditor " with the display name; "KvrEditor" when
    // nothing is open.
    std::string title() const;

    // Writes a modified working copy into the database and the database to its file. With
    // ask, the question "保存の確認" comes first (Cancel: Cancelled; No: the flag is cleared,
    // Discarded). A failed look-up or file write gives Failed and keeps the working copy and
    // the flag. NothingToSave when the flag is clear.
    SaveResult saveCollection(bool ask);

    // Writes the whole database to its file; false when that fails.
    bool writeDatabaseFile() const;

    // The open item keeps its working copy when it, or a folder above it, gets a new path.
    void follow(const std::string &oldPath, const std::string &newPath, EntryKind kind);
    // True when the open item is still in the database.
    bool selectedExists() const;

private:
    bool storeWorkingCopy();

    CQuestionDatabase &m_database;
    std::string m_databasePath;
    IPrompter &m_prompter;
    std::optional<SelectedItem> m_selected;
    CInnerHeader m_header;
    CQuestionGrid m_grid;
    bool m_modified = false;
};

} // namespace kvr
