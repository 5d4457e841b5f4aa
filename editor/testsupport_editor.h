#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/backuprestore.h"
#include "db/testsupport.h"
#include "db/testsupport_tree.h"
#include "editor/editoroperations.h"
#include "editor/editorsession.h"
#include "editor/editorsettings.h"
#include "editor/rowcommands.h"
#include "editor/testsupport_editordialogs.h"
#include "platform/namedmutex.h"
#include "platform/settingsstore.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"

// Helpers of the tree-editing tests.
namespace kvr::test {

// The database, its file, the log file and a prompter, in a fresh folder.
class EditorFiles
{
public:
    explicit EditorFiles(std::string_view outline = {});

    // Writes the database to its file (so the ".old" copy has something to copy).
    void save() const;
    // A log whose learners "u1" and "u2" each hold one record per path, in that order.
    void writeLog(const std::vector<std::string> &paths) const;
    // The record paths of every learner in the log file, learner by learner.
    std::vector<std::string> logPaths() const;

    // A log whose learners "u1" and "u2" each hold, for the collection at path, one record
    // per mode given whose tally at position i has firstCorrect = marks[i].
    void writeTallies(const std::string &path, const std::vector<int> &marks, int modes = 1) const;
    // firstCorrect of each tally of every record of path, record by record ("3,0,5").
    std::vector<std::string> tallyMarks(const std::string &path) const;

    CTempFile dbFile { "DBv3.kvr" };
    CQuestionDatabase database;
    CScriptedPrompter prompter;
    TreeEditContext context;
};

// A marker name no other test program uses.
std::string uniqueMarkerName();

// A clipboard in memory; text() gives nothing while unmappable is set.
class FakeClipboard final : public IClipboard
{
public:
    void setText(const std::string &text) override { content = text; }
    bool hasText() const override { return content.has_value(); }
    EnteredText text() const override
    {
        if (unmappable)
            return std::nullopt;
        return content;
    }

    std::optional<std::string> content;
    bool unmappable = false;
};

// Answers the backup list with choice and keeps every list shown.
class ScriptedBackupChooser final : public IBackupChooser
{
public:
    std::optional<std::size_t> chooseBackup(const BackupListView &list) override
    {
        shown.push_back(list);
        return choice;
    }
    std::optional<std::size_t> choice;
    std::vector<BackupListView> shown;
};

// The database, the log, the settings and the open collection at path "S" for row
// commands; the drill marker has a name of its own.
class RowFiles : public EditorFiles
{
public:
    explicit RowFiles(std::vector<std::string> lines, std::string_view outline = "S");

    CMemorySettingsStore store;
    FakeClipboard clipboard;
    CCollectionEdit edit;
    RowCommandContext rows;

    std::vector<std::string> savedLines() const; // "S" as written to the file
    // Holds the drill marker as a running drill does, with LastSection = lastSection.
    void startDrill(const std::string &lastSection);
    CNamedMutex drill;
};

// A main window's core over a database file, a log, settings and scripted dialogs.
class SessionFiles : public EditorFiles
{
public:
    explicit SessionFiles(std::string_view outline, const std::string &lastSection = {});

    // Lines of the collection at path, in memory now, and as written to the file.
    void setLines(const std::string &path, std::vector<std::string> lines);
    std::vector<std::string> savedLines(const std::string &path) const;
    // The tree item chain of a path.
    TreeIndexPath chainOf(const std::string &path) const;
    // Selects the item at path in the tree.
    bool select(const std::string &path);

    CEditorSettings settings;
    CMemorySettingsStore store;
    std::vector<WebDictionary> dictionaries;
    FakeClipboard clipboard;
    ScriptedFileDialogs fileDialogs;
    ScriptedEditorDialogs dialogs;
    ScriptedBackupChooser backups;
    std::string markerName = uniqueMarkerName(); // the drill's in-use marker
    std::unique_ptr<CEditorSession> session;
};

} // namespace kvr::test
