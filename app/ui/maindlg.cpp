#include "app/ui/maindlg.h"

#include <utility>

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/kvrsettings.h"
#include "app/ui/appinfo.h"
#include "app/ui/databasetreewidget.h"
#include "app/ui/helpwindow.h"
#include "app/ui/logmodetabpage.h"
#include "app/ui/toolicons.h"
#include "db/questiondatabase.h"
#include "drill/drillstarter.h"
#include "history/ui/historypages.h"
#include "history/ui/loginfopage.h"
#include "history/ui/questionlogpage.h"
#include "history/ui/studychartpage.h"
#include "history/ui/transinfopage.h"
#include "platform/prompter.h"
#include "platform/ui/fonts.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// Wait cursor for as long as it lives.
class CWaitCursor
{
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;
};

QLineEdit *infoField(QWidget *parent, const char *name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    return field;
}

} // namespace

CMainDlg::CMainDlg(MainWindowContext &context, MainWindowServices services, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("mainDlg"));
    setWindowTitle(utext(kMainTitle));
    setWindowIcon(programIcon());
    setMouseTracking(true);
    setSizeGripEnabled(true);
    setMinimumSize(kMinTrackSize.width, kMinTrackSize.height);
    setMaximumSize(kMaxTrackSize.width, kMaxTrackSize.height);
    fillDefaultServices();
    fillDefaultDrillServices();
    m_session = std::make_unique<CMainSession>(MainSessionContext {
        m_context.settings, m_context.store, m_context.database, m_context.log, m_context.prompter,
        m_context.clock, *m_services.modeChooser, *m_services.startPrompter, *m_minimisingRunner });

    createMenus();
    createToolBar();
    createTree();
    createInfoFields();
    createTabArea();
    applyBackground();

    resize(m_context.settings.KvrWindowWidth, m_context.settings.KvrWindowHeight);
    showTab(0);
    rebuildTree();
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::createInfoFields()
{
    m_noteField = new QTextEdit(this);
    m_noteField->setObjectName(QStringLiteral("noteField"));
    m_noteField->setReadOnly(true);
    m_noteField->setFrameShape(QFrame::StyledPanel);
    m_noteField->document()->setDocumentMargin(2);
    m_copyrightField = infoField(this, "copyrightField");
    m_inputterField = infoField(this, "inputterField");
    m_countField = infoField(this, "countField");
}

void CMainDlg::createTabArea()
{
    m_tabArea = new QWidget(this);
    m_tabArea->setObjectName(QStringLiteral("tabArea"));

    m_modeStrip = new CLogmodeTabpage(m_tabArea);
    connect(m_modeStrip, &CLogmodeTabpage::logModeChosen, this, [this](int logMode) {
        forward([this, logMode] { m_session->chooseLogMode(logMode); });
    });

    m_tabs = new QTabWidget(m_tabArea);
    m_tabs->setObjectName(QStringLiteral("pageTabs"));
    createPages();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { showTab(index); });

    m_hintFrame = new QFrame(m_tabArea);
    m_hintFrame->setObjectName(QStringLiteral("hintFrame"));
    m_hintFrame->setFrameShape(QFrame::StyledPanel);
    m_hintFrame->setFrameShadow(QFrame::Sunken);
    auto *hint = new QLabel(utext("問題を選んで『覚える』ボタンを押してください"), m_hintFrame);
    hint->setObjectName(QStringLiteral("hintText"));
    auto *hintLayout = new QHBoxLayout(m_hintFrame);
    hintLayout->setContentsMargins(8, 3, 8, 3);
    hintLayout->addWidget(hint, 1);
    // The buttons of the window's bottom row exist for their commands but stay hidden.
    struct Hidden
    {
        const char *name;
        const char *text;
        MainCommand command;
    };
    const Hidden hidden[] = {
        { "shortcutButton", "ｼｮｰﾄｶｯﾄ(&C)", MainCommand::Shortcut },
        { "questionListButton", "問題一覧(&P)", MainCommand::QuestionList },
        { "studyButton", "覚える(&T)", MainCommand::JapaneseToEnglishTyped },
        { "exitButton", "逃げる(&X)", MainCommand::Exit },
    };
    for (const Hidden &entry : hidden) {
        auto *button = new QPushButton(utext(entry.text), m_hintFrame);
        button->setObjectName(QLatin1String(entry.name));
        button->hide();
        const MainCommand command = entry.command;
        if (command == MainCommand::JapaneseToEnglishTyped)
            connect(button, &QPushButton::clicked, m_loginfoPage, &CLoginfoPage::learn);
        else
            connect(button, &QPushButton::clicked, this, [this, command] { runCommand(command); });
        hintLayout->addWidget(button);
    }

    auto *stripRow = new QHBoxLayout;
    stripRow->setContentsMargins(0, 0, 0, 0);
    stripRow->addStretch();
    stripRow->addWidget(m_modeStrip);
    auto *column = new QVBoxLayout(m_tabArea);
    column->setContentsMargins(0, 3, 0, 0);
    column->setSpacing(3);
    column->addLayout(stripRow);
    column->addWidget(m_tabs, 1);
    column->addWidget(m_hintFrame);
}

void CMainDlg::createPages()
{
    m_pageContext = std::make_unique<HistoryPageContext>(HistoryPageContext {
        m_context.settings, m_context.store, m_context.database, m_context.log,
        m_context.webDictionaries, m_context.voice, *m_services.shell, m_context.prompter,
        [this](const WindowDrillRequest &request) { startDrill(request); },
        [this] { refresh(); } });
    m_loginfoPage = new CLoginfoPage(*m_pageContext);
    installEventFilter(m_loginfoPage); // Alt+T: the page's "覚える(&T)"
    m_questionlogPage = new CQuestionlogPage(*m_pageContext);
    m_transinfoPage = new CTransinfoPage(*m_pageContext);
    m_tabs->addTab(m_loginfoPage, utext("通常学習"));
    m_tabs->addTab(m_questionlogPage, utext("問題毎履歴"));
    m_tabs->addTab(m_transinfoPage, utext("進行状況"));
    m_studyChartPage = new CStudyChartPage(*m_pageContext, m_context.clock);
    m_tabs->addTab(m_studyChartPage, utext("学習記録"));
    m_pages = { m_loginfoPage, m_questionlogPage, m_transinfoPage, m_studyChartPage };
    connect(m_loginfoPage, &CLoginfoPage::logModeChosen, this, [this](int logMode) {
        forward([this, logMode] { m_session->chooseLogMode(logMode); });
    });
}

void CMainDlg::refresh()
{
    if (m_rendering)
        return;
    forward([this] { m_session->refresh(); });
}

// Every history page takes the selection; the run list and the per-question page start
// again from it.
void CMainDlg::showSelection(const MainView &view)
{
    CWaitCursor wait;
    const PageSelection selection { view.selectedPath,
                                    view.folderSelected ? TreeSelection::Folder
                                                        : TreeSelection::Collection,
                                    view.header.countMaximum };
    m_loginfoPage->setSelection(selection);
    m_questionlogPage->setSelection(selection);
    m_transinfoPage->setSelection(selection);
    m_studyChartPage->setSelection(selection);

    m_loginfoPage->reloadRunList(); // a folder's empties it
    m_tree->setFocus();
    m_questionlogPage->clear();
    m_refillPerQuestionPage = !view.folderSelected;
    if (!view.folderSelected && currentTab() == 1)
        showTab(1);
    const HeaderInfo &info = view.header;
    m_noteField->setPlainText(qtext(info.notes));
    m_copyrightField->setText(qtext(info.copyrightHolder));
    m_inputterField->setText(qtext(info.inputter));
    m_countField->setText(qtext(info.questionCountText));
    m_loginfoPage->setCountRange(info.countMinimum, info.countMaximum, info.initialCount);
    m_tabs->currentWidget()->update();
}

void CMainDlg::showTab(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pages.size()))
        return;
    if (m_tabs->currentIndex() != index)
        m_tabs->setCurrentIndex(index); // the stack shows the page; currentChanged comes back
    if (index == 1 && m_refillPerQuestionPage) {
        m_refillPerQuestionPage = false;
        m_questionlogPage->fill();
    }
}

int CMainDlg::currentTab() const
{
    return m_tabs->currentIndex();
}

void CMainDlg::keyPressEvent(QKeyEvent *event)
{
    // The window closes by its exit commands and its close box, not by a stray Escape.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CMainDlg::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // The editor may have changed the history while another window had the focus.
    m_context.log.reloadIfChanged(m_context.settings.LogPath);
    if (std::exchange(m_context.log.changedByOthers, false))
        refresh();
    showTab(currentTab());
}

void CMainDlg::runCommand(MainCommand command)
{
    switch (command) {
    case MainCommand::Reload:
        return reload();
    case MainCommand::Shortcut:
        if (std::optional<std::string> path = selectedCollectionPath()) {
            m_popupPath = *path;
            makeShortcut(m_popupPath);
        }
        return;
    case MainCommand::RestoreBackup:
        return restoreBackup();
    case MainCommand::Exit:
        close();
        return;
    case MainCommand::JapaneseToEnglishTyped:
        return startFromTree(DrillMode::JapaneseToEnglishTyped);
    case MainCommand::JapaneseToEnglishChoice:
        return startFromTree(DrillMode::JapaneseToEnglishChoice);
    case MainCommand::EnglishToJapaneseTyped:
        return startFromTree(DrillMode::EnglishToJapaneseTyped);
    case MainCommand::EnglishToJapaneseChoice:
        return startFromTree(DrillMode::EnglishToJapaneseChoice);
    case MainCommand::SpeedReply:
        return startFromTree(DrillMode::SpeedReply);
    case MainCommand::LastDrill:
        return repeatLastDrill();
    case MainCommand::LastMissed:
        return repeatLastMissed();
    case MainCommand::TabNormal:
        return showTab(0);
    case MainCommand::TabPerQuestion:
        return showTab(1);
    case MainCommand::TabProgress:
        return showTab(2);
    case MainCommand::QuestionList:
        if (std::optional<std::string> path = selectedCollectionPath())
            showQuestionList(*path);
        return;
    case MainCommand::Editor:
        return startEditor();
    case MainCommand::Learners:
        return manageLearners();
    case MainCommand::Options:
        return showOptions();
    case MainCommand::Help:
        return showHelp();
    case MainCommand::Readme:
        return openReadme();
    case MainCommand::HomePage:
        return openHomePage();
    case MainCommand::About:
        return showAbout();
    }
}

} // namespace kvr::ui
