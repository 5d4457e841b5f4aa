#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/databasetree.h"
#include "app/webdictionary.h"
#include "editor/choicedialog.h"
#include "editor/collectionedit.h"
#include "editor/csvimport.h"
#include "editor/editorkeys.h"
#include "editor/editorlookup.h"
#include "editor/editoroperations.h"
#include "editor/editoroptions.h"
#include "editor/gridsort.h"
#include "editor/headerdialog.h"
#include "editor/rowcommands.h"
#include "platform/clock.h"
#include "platform/dailybackup.h"

// The editor's main window as a core: everything it shows (the tree, the selected item, the
// grid, the edit fields, the part-of-speech buttons, the dictionary lists, the title) and
// everything it does with its events. The window renders view() and grid() and forwards
// each event here; it decides nothing itself.
namespace kvr {

struct CEditorSettings;
class IBackupChooser;
class IFileDialogs;
class ISettingsStore;

// The windows the main window opens; one object answers them all.
class IEditorDialogs : public IHeaderDialog,
                       public IChoiceDialog,
                       public IEditorOptionsDialog,
                       public ICsvColumnsDialog
{
};

struct EditorServices
{
    CEditorSettings &settings;
    ISettingsStore &store;
    CQuestionDatabase &database; // loaded from settings.DatabaseFilename
    const std::vector<WebDictionary> &webDictionaries;
    IPrompter &prompter;
    IClipboard &clipboard;
    IFileDialogs &fileDialogs; // export, import, WAV file, database file
    IEditorDialogs &dialogs;
    std::string markerName = std::string(kInUseMarkerName);
    const IClock &clock = CSystemClock::instance(); // dates the daily backups
    IBackupChooser *backups = nullptr; // "バックアップから戻す(&B)..."; nothing: does nothing
};

// Everything the window shows but the grid's rows (grid().rows()). Texts are CP932.
struct EditorView
{
    std::string title;
    TreeNode tree; // refill the tree control when treeRevision changes
    int treeRevision = 0;
    TreeIndexPath selectedChain; // the tree item shown selected (empty: none)
    bool folderSelected = false;
    std::string selectedName; // the read-only field with the item's name
    std::string selectedCaption; // "現在選択中の問題集" / "現在選択中のフォルダ"
    // The grid, edit fields, part-of-speech buttons, dictionary lists, their buttons and the
    // WAV button: enabled for a collection, disabled for a folder or no selection.
    bool collectionControls = false;
    // Refill the grid from grid().rows() when this changes; else only the current row's cells
    // may have changed (render them after every event).
    int gridRevision = 0;
    std::optional<std::size_t> currentRow;
    int answerNumber = 1; // the spinner beside the answer field
    EditFields fields; // set the edit fields' texts when fieldsRevision changes
    int fieldsRevision = 0;
    std::optional<PartOfSpeech> markedPart; // the button shown checked
    EditorDictionaryLists dictionaries;
    int tab = 0; // 0 "問題集ツリー" (the tree shown), 1 "Web辞書" (the browser shown)
    std::string webAddress; // navigate the browser when webRevision changes
    int webRevision = 0;
    int divider = 200; // x of the divider between the tree and the grid (Pediod)
    int windowWidth = 600; // the window's size at its start
    int windowHeight = 500;
};

// What the window does after a command beyond rendering.
enum class CommandEffect { None, Close, ShowHelp, OpenHomePage, ShowAbout };

class CEditorSession
{
public:
    // The database has been loaded from services.settings.DatabaseFilename; it is written
    // back to that file whatever the settings say later.
    explicit CEditorSession(EditorServices services);

    // The window's start: the tree filled and LastSection (or the first item) selected.
    void start();

    const EditorView &view() const { return m_view; }
    const CQuestionGrid &grid() const { return m_edit.grid(); }
    const CCollectionEdit &edit() const { return m_edit; }
    // For the window's wiring of databaseRead.
    CCollectionEdit &edit() { return m_edit; }

    // The tree reports a new selection; false when it was refused (the save question was
    // cancelled or the save failed): the tree goes back to view().selectedChain.
    bool selectTreeItem(const TreeIndexPath &chain);
    // The grid's focused row; the "Next" button and the keys move it too.
    void selectRow(std::size_t row);
    // The spinner, or Shift/Ctrl with Down/Up.
    void moveAnswerNumber(int delta);
    // A field's text changed (nothing: it holds a character CP932 cannot hold).
    void editField(EditField field, const EnteredText &text);
    void pressPartOfSpeech(PartOfSpeech part);
    // A click on a column header.
    void sortByColumn(GridColumn column);
    // A "Web辞書検索" button with the entry chosen in its list (upper: the list beside the
    // answer field): the address is shown in the "Web辞書" tab. False when there is none.
    bool lookUp(bool upperList, std::size_t entry);
    void selectTab(int tab);
    // A key before any control sees it; the window acts on what is returned (PassOn,
    // Swallow, LineBreak, RepaintKeyHelp); the rest has been done here.
    EditorKeyAction key(const EditorKeyEvent &event);
    CommandEffect run(EditorCommand command);

    // The close box: false while the window must stay open.
    bool requestClose();
    // The window is destroyed: the whole database is written once more; false (told) when
    // that failed.
    bool finish();
    // Dragging the divider, resizing the window: kept for the settings saved at the end.
    void setDivider(int x);
    void setWindowSize(int width, int height);

private:
    // editorsession.cpp
    void rebuildTree();
    void selectPath(const std::string &path);
    bool openItem(const SelectedItem &item);
    void refreshView();
    RowCommandContext rowContext();
    void afterRowEdit(const RowEdit &edit);
    // editorsessioncommands.cpp
    TreeEditContext treeContext();
    std::optional<NodeRef> selectedNode() const;
    void afterTreeChange(const TreeEditResult &result);
    void createCommand(EntryKind kind);
    void renameCommand();
    void detailsCommand();
    void transferCommand(TransferMode mode);
    void deleteCommand();
    void exportCommand();
    void importCommand();
    void importCsvCommand();
    void insertFromCollection();
    void chooseWav();
    void optionsCommand();
    void restoreBackupCommand();
    void reloadDatabase();
    void saveCommand();

    EditorServices m_services;
    CCollectionEdit m_edit;
    CDailyBackup m_backup;
    CSortDirections m_sortDirections;
    EditorView m_view;
    std::size_t m_shownRowCount = 0;
};

} // namespace kvr
