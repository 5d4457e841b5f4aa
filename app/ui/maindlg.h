#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QIcon>
#include <QPointer>

#include "app/backuprestore.h"
#include "app/databasetree.h"
#include "app/mainlayout.h"
#include "app/shell/mainsession.h"
#include "app/ui/maincommands.h"
#include "app/ui/mainwindowdialogs.h"
#include "history/drillmode.h"
#include "platform/shell.h"
#include "platform/ui/dividerdrag.h"

class QAction;
class QLineEdit;
class QMenu;
class QMenuBar;
class QTextEdit;
class QTabWidget;
class QToolBar;
class QFrame;

namespace kvr {
class CAnswerLog;
class CPronunciation;
class IClock;
class IDrillRunner;
class IDrillStartPrompter;
class IFileDialogs;
class IModeChooser;
class IPrompter;
class IShell;
class ISoundPlayer;
class ISettingsStore;
struct CKvrSettings;
struct CQuestionDatabase;
struct CSection;
struct DrillSetup;
struct WebDictionary;
struct WindowDrillRequest;
} // namespace kvr

namespace kvr::ui {

class CDatabaseTreeWidget;
class CHelpWindow;
class CLoginfoPage;
class CLogmodeTabpage;
class CQuestionlogPage;
class CStudyChartPage;
class CTransinfoPage;
struct HistoryPageContext;

// What the main window works on; all of it outlives the window.
struct MainWindowContext
{
    CKvrSettings &settings;
    ISettingsStore &store;
    CQuestionDatabase &database;
    CAnswerLog &log;
    std::vector<WebDictionary> &webDictionaries;
    CPronunciation &voice;
    ISoundPlayer &sound; // the options sheet tests the effect sounds on it
    IPrompter &prompter;
    IFileDialogs &fileDialogs; // the reload's missing-file dialogs
    const IClock &clock;
};

// The windows and programs the commands open. Left null, each gets the program's own;
// tests put fakes in.
struct MainWindowServices
{
    IModeChooser *modeChooser = nullptr; // "回答方法の選択"
    IDrillStartPrompter *startPrompter = nullptr; // order and count dialogs
    IDrillRunner *drillRunner = nullptr; // the drill window
    IMainWindowDialogs *dialogs = nullptr; // question list, learners, options, shortcut
    IShell *shell = nullptr; // the browser, the read-me and the editor
    std::string editorMarker = std::string(kEditorInstanceMarker); // restores wait for its end
};

// The study program's main window: the database tree, the tab pages of the selected
// collection's history, its header, and the commands that start drills and open the other
// windows. It renders CMainSession's view and forwards the tree's, the mode lists' and the
// drill commands' events to it; the commands that open other windows stay here.
class CMainDlg final : public QDialog
{
    Q_OBJECT
public:
    CMainDlg(MainWindowContext &context, MainWindowServices services = {},
             QWidget *parent = nullptr);
    ~CMainDlg() override;

    void runCommand(MainCommand command);
    QAction *menuAction(MainCommand command) const;
    QAction *toolAction(MainCommand command) const;

    // The selected tree node's path, or empty.
    std::string selectedPath() const;
    void selectPath(std::string_view path);
    // The tree path of the item last right-clicked.
    const std::string &popupPath() const { return m_popupPath; }

    // The selection shown again (after the history, the learner or the settings changed).
    void refresh();
    void showTab(int index);
    // The drill start of the history pages: a collection, a selection, a count and a mode.
    void startDrill(const WindowDrillRequest &request);
    int currentTab() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createInfoFields();
    void createTabArea();
    void createPages();
    // maindlg_menus.cpp
    void createMenus();
    void createToolBar();
    void updateSelectionMenuItems();
    // maindlg_tree.cpp
    void createTree();
    void rebuildTree();
    std::optional<std::string> selectedCollectionPath() const;
    void forward(const std::function<void()> &event);
    void render();
    void showSelection(const MainView &view); // the header fields and the history pages
    void showTreePopup(const QPoint &globalPos, const TreeIndexPath &chain);
    // maindlg_layout.cpp
    QRect clientRect() const;
    Size clientSize() const;
    QPoint toClient(const QPoint &windowPos) const;
    void layoutChildren();
    void applyBackground();
    void applyBackground(std::int32_t colorRef); // a colour previewed by the options sheet
    CDividerDrag::Window splitterParts();
    // maindlg_commands.cpp
    void fillDefaultServices();
    void reload();
    void showQuestionList(const std::string &path);
    void manageLearners();
    void showOptions();
    void makeShortcut(const std::string &path);
    void startEditor();
    void showHelp();
    void showHelpPage(const QUrl &page);
    void placeOverThisWindow(QWidget *window) const;
    void openReadme();
    void openHomePage();
    void showAbout();
    // maindlg_backup.cpp
    void restoreBackup();
    // maindlg_drill.cpp
    void fillDefaultDrillServices();
    void startFromTree(std::optional<DrillMode> mode);
    void repeatLastDrill();
    void repeatLastMissed();

    MainWindowContext &m_context;
    MainWindowServices m_services;
    std::unique_ptr<IModeChooser> m_ownedModeChooser;
    std::unique_ptr<IDrillStartPrompter> m_ownedStartPrompter;
    std::unique_ptr<IDrillRunner> m_ownedDrillRunner;
    std::unique_ptr<IDrillRunner> m_minimisingRunner; // this window minimised meanwhile
    std::unique_ptr<IMainWindowDialogs> m_ownedDialogs;
    std::unique_ptr<CMainSession> m_session;
    int m_shownTree = -1; // the view's revisions as last rendered
    int m_shownSelection = 0;
    int m_shownDrill = 0;

    QMenuBar *m_menuBar = nullptr;
    QToolBar *m_toolBar = nullptr;
    std::map<MainCommand, QAction *> m_menuActions;
    std::map<MainCommand, QAction *> m_toolActions;
    QMenu *m_treePopup = nullptr;
    QAction *m_popupQuestionList = nullptr;
    QAction *m_popupShortcut = nullptr;
    QAction *m_popupPathItem = nullptr;

    CDatabaseTreeWidget *m_tree = nullptr;
    bool m_rendering = false; // the tree's own signals are not forwarded back
    std::string m_popupPath;

    QTextEdit *m_noteField = nullptr;
    QLineEdit *m_copyrightField = nullptr;
    QLineEdit *m_inputterField = nullptr;
    QLineEdit *m_countField = nullptr;

    QWidget *m_tabArea = nullptr;
    CLogmodeTabpage *m_modeStrip = nullptr;
    QTabWidget *m_tabs = nullptr;
    std::vector<QWidget *> m_pages;
    std::unique_ptr<IShell> m_ownedShell;
    std::unique_ptr<HistoryPageContext> m_pageContext;
    CLoginfoPage *m_loginfoPage = nullptr;
    CQuestionlogPage *m_questionlogPage = nullptr;
    CTransinfoPage *m_transinfoPage = nullptr;
    CStudyChartPage *m_studyChartPage = nullptr;
    QFrame *m_hintFrame = nullptr;
    bool m_refillPerQuestionPage = false;

    CDividerDrag m_splitterDrag { this, splitterParts() };

    QPointer<CHelpWindow> m_helpWindow;
};

} // namespace kvr::ui
