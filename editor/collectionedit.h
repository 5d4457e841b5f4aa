#pragma once

#include <optional>
#include <string>

#include "db/questiondatabase.h"
#include "editor/questiongrid.h"
#include "platform/prompter.h"
#include "platform/sharedfile.h"

// The right-hand side of the editor's main window: the item selected in the tree and its
// working copy (header and, for a collection, the question grid), the modified flag, the
// window title, and saving the working copy into the database and its file.
namespace kvr {

class CDailyBackup;

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
    void setDatabasePath(std::string path);
    // The database file as it is now is the one this editor holds (call after reading it;
    // the constructor does so for the file it is given).
    void databaseRead() { m_version.remember(fileStampOf(m_databasePath)); }
    // True when another program (the study program keeping a question) wrote the database
    // file since this editor read or wrote it.
    bool databaseChangedOnDisk() const;
    // Taken before the database file is written (nothing: no backups).
    const CDailyBackup *dailyBackup = nullptr;

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

    // Writes the whole database to its file under the file's lock. Declined: the file
    // changed on disk and the user chose not to overwrite it.
    enum class Write { Written, Declined, Failed };
    Write writeDatabaseFile();

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
    CFileVersion m_version;
};

// Asked before a write over a database file another program changed (Yes/No, CP932): Yes
// writes anyway, No keeps the working copy unsaved.
Message databaseChangedQuestion(const std::string &databasePath);

} // namespace kvr
