#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/databasetree.h"
#include "drill/drillstarter.h"

// The study program's main window as a core: the database tree and its selection, what the
// header fields and the history pages show of it, which commands the selection enables, the
// log mode, and the drill starts with their dialogs and the drill window. The window renders
// view() and forwards its events here.
namespace kvr {

class CAnswerLog;
class IClock;
class IPrompter;
class ISettingsStore;
struct CCommandLine;
struct CKvrSettings;
struct CQuestionDatabase;

struct MainSessionContext
{
    CKvrSettings &settings; // LastSection and LogMode follow the window
    ISettingsStore &store; // LastSection is stored at every selection
    CQuestionDatabase &database;
    CAnswerLog &log;
    IPrompter &prompter;
    const IClock &clock;
    IModeChooser &modeChooser; // "回答方法の選択"
    IDrillStartPrompter &startPrompter; // order and count dialogs
    IDrillRunner &drillRunner; // the drill window
    // The drill's in-use marker; empty: the one beside the database file the settings name
    // at the time of the start.
    std::string markerName = {};
};

// Everything the window shows of the tree and its selection. Texts are CP932.
struct MainView
{
    TreeNode tree; // refill the tree control when treeRevision moves
    int treeRevision = 0;
    TreeIndexPath selectedChain; // empty: nothing selected
    std::string selectedPath;
    bool folderSelected = false;
    HeaderInfo header; // the header fields and the statistics page's count arrows
    // The history pages take the selection (path, kind, header.countMaximum) again, and the
    // header fields are set, when this moves.
    int selectionRevision = 0;
    // Shortcut, question list and the selection's mode commands: enabled for a collection,
    // greyed for a folder; nothing: leave them as they are.
    std::optional<bool> selectionCommands;
    int logMode = 0; // the mode strip and the statistics page's mode list
    // The mode a drill just ran in, for the statistics page's run list; when drillRevision
    // moves.
    DrillMode lastDrillMode = DrillMode::JapaneseToEnglishTyped;
    int drillRevision = 0;
};

class CMainSession
{
public:
    explicit CMainSession(MainSessionContext context);

    const MainView &view() const { return m_view; }

    // The tree built again from the database; LastSection (else the first item) selected.
    void rebuildTree();
    // The tree control's selection changed to the item at chain.
    void selectChain(const TreeIndexPath &chain);
    void selectPath(std::string_view path);
    // The selection shown again, after the history, the learner or the settings changed:
    // LastSection is stored, and a header that cannot be read is told.
    void refresh();
    // The mode strip or the statistics page chose a log mode.
    void chooseLogMode(int logMode);
    // The selected collection's path; nothing for a folder or no selection.
    std::optional<std::string> selectedCollectionPath() const;

    // The drill starts: the in-use marker, the mode, order and count dialogs, then the drill
    // window. Afterwards, and after a start that stopped short (a mode chosen before a
    // cancelled dialog is already LogMode), the selection is shown again. A failure is told
    // in an error box; nothing is thrown. True when a drill ran.
    bool startFromTree(std::optional<DrillMode> mode); // mode commands, double-click
    bool startDrill(const WindowDrillRequest &request); // the history pages' starts
    // "前回学習した問題" / "前回に間違えた問題" in the statistics page's listed mode.
    bool repeatLastDrill(DrillMode listedMode);
    bool repeatLastMissed(DrillMode listedMode);

private:
    template <typename Start> bool launch(Start &&start);

    MainSessionContext m_context;
    MainView m_view;
};

// A desktop shortcut's drill (the command line's /autorun), without the main window: the
// starter's checks and messages, then the drill window. A failure is told in an error box;
// nothing is thrown. True when a drill ran.
bool runShortcutDrill(DrillStartContext &starter, const CCommandLine &commandLine,
                      IDrillRunner &drillRunner);

} // namespace kvr
