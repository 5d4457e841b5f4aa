#pragma once

#include <functional>
#include <map>
#include <vector>

#include <QDialog>

#include "app/databasetree.h"
#include "editor/editorkeys.h"
#include "editor/editorlookup.h"
#include "editor/editormenus.h"
#include "platform/ui/dividerdrag.h"

class QAction;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class QTableView;

namespace kvr {
class CEditorSession;
class IPrompter;
class IShell;
} // namespace kvr

namespace kvr::ui {

class CAnswerEdit;
class CDatabaseTreeWidget;
class CQuestionGridModel;
class CWebPane;
class IEditorWindowActions;

// What the editor's main window works on; all of it outlives the window.
struct EditorWindowContext
{
    CEditorSession &session;
    IPrompter &prompter; // the errors of the commands it runs
    IShell &shell; // the browser, for a look-up the window cannot show itself
    IEditorWindowActions &actions; // help, home page, about box
    bool embedWebPages = true; // false: the "Web辞書" tab always offers the browser instead
};

// The question editor's main window: the database tree (or the web page) on the left, the
// selected collection's grid and the edit fields of its current question on the right.
// It renders the session's view and forwards every event to it; it decides nothing.
class CEditorDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CEditorDlg(EditorWindowContext context, QWidget *parent = nullptr);
    ~CEditorDlg() override;

    // session.view() onto the widgets: only what changed since the last render.
    void render();
    // A command of a menu, a popup or a button, and what it asks of the program.
    void runCommand(EditorCommand command);
    QAction *menuAction(EditorCommand command) const;

protected:
    void reject() override; // Esc never closes the window
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // editordlg.cpp
    void createRightPane();
    QWidget *createFieldArea();
    QWidget *createPartButtons();
    void arrangePartButtons(int columns);
    void connectFields();
    // An event for the core, then the render of what it changed.
    void forward(const std::function<void()> &event);
    void renderTree();
    void renderSelection();
    void renderGrid();
    void renderFields();
    void renderDictionaries();
    void renderTab();
    // editordlg_menus.cpp
    void createMenus();
    void addItems(QMenu *menu, const std::vector<MenuItem> &items, bool bar);
    void showGridPopup(const QPoint &globalPos);
    // editordlg_tree.cpp
    void createLeftPane();
    // editordlg_input.cpp
    EditorFocus focusPlace() const;
    bool filterKey(QKeyEvent *event);
    void applyKeyAction(const EditorKeyAction &action);
    void focusChanged(QWidget *now);
    // editordlg_layout.cpp
    QRect clientRect() const;
    int divider() const;
    void layoutChildren();
    CDividerDrag::Window dividerParts();

    EditorWindowContext m_context;
    CEditorSession &m_session;

    QMenuBar *m_menuBar = nullptr;
    std::map<EditorCommand, QAction *> m_menuActions;
    QMenu *m_sectionPopup = nullptr;
    QMenu *m_datalistPopup = nullptr;

    QWidget *m_leftPane = nullptr;
    QTabBar *m_tabs = nullptr;
    QStackedWidget *m_leftStack = nullptr;
    CDatabaseTreeWidget *m_tree = nullptr;
    CWebPane *m_webPane = nullptr;

    QWidget *m_rightPane = nullptr;
    QLabel *m_selectedCaption = nullptr;
    QLineEdit *m_selectedName = nullptr;
    QPushButton *m_detailsButton = nullptr;
    QTableView *m_grid = nullptr;
    CQuestionGridModel *m_model = nullptr;
    CAnswerEdit *m_answerField = nullptr;
    QSpinBox *m_answerNumber = nullptr;
    QPushButton *m_nextButton = nullptr;
    QPlainTextEdit *m_questionField = nullptr;
    QPlainTextEdit *m_hintField = nullptr;
    std::vector<QRadioButton *> m_partButtons;
    QGridLayout *m_partLayout = nullptr;
    int m_partColumns = 0;
    QComboBox *m_upperDictionaries = nullptr;
    QComboBox *m_lowerDictionaries = nullptr;
    QPushButton *m_upperLookup = nullptr;
    QPushButton *m_lowerLookup = nullptr;
    QPushButton *m_wavButton = nullptr;
    std::vector<QWidget *> m_collectionControls;

    bool m_rendering = false; // widget signals raised by render() are not events
    bool m_closing = false;
    bool m_shiftHeld = false; // the key help shows the part-of-speech keys
    CDividerDrag m_dividerDrag { this, dividerParts() };

    // What was rendered last.
    int m_treeRevision = -1;
    int m_fieldsRevision = -1;
    int m_webRevision = 0;
    EditorDictionaryLists m_dictionaries;
    bool m_dictionariesShown = false;
};

} // namespace kvr::ui
