// The main window's commands that open other windows, programs and pages.
#include <QScreen>
#include <QUrl>

#include "app/datafolder.h"
#include "app/editorlaunch.h"
#include "app/kvrsettings.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/ui/aboutdlg.h"
#include "app/ui/appinfo.h"
#include "app/ui/databasetreewidget.h"
#include "app/ui/helpwindow.h"
#include "app/ui/maindlg.h"
#include "db/questiondatabase.h"
#include "platform/environment.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtshell.h"

namespace kvr::ui {

void CMainDlg::fillDefaultServices()
{
    if (!m_services.shell) {
        m_ownedShell = std::make_unique<CQtShell>();
        m_services.shell = m_ownedShell.get();
    }
    if (!m_services.dialogs) {
        m_ownedDialogs = std::make_unique<CQtMainWindowDialogs>(
            m_context, *m_services.shell, [this](const QUrl &page) { showHelpPage(page); },
            [this](std::int32_t colour) { applyBackground(colour); });
        m_services.dialogs = m_ownedDialogs.get();
    }
}

void CMainDlg::reload()
{
    StartupContext startup { m_context.settings,   m_context.store,           m_context.database,
                             m_context.log,        m_context.webDictionaries, m_context.prompter,
                             m_context.fileDialogs };
    guarded(m_context.prompter, "データベースを再読み込みできませんでした。(%s)",
            [&] { reloadData(startup); });
    rebuildTree();
}

void CMainDlg::showQuestionList(const std::string &path)
{
    const TreeNode *node = nodeAt(m_tree->tree(), findNodeByPath(m_tree->tree(), path));
    const QString name = node ? qtext(node->name) : QString();
    guarded(m_context.prompter, "問題集を取得できませんでした。(%s)", [&] {
        const CSection &section = findSection(m_context.database.root, path);
        m_services.dialogs->showQuestionList(section, name, this);
    });
}

void CMainDlg::manageLearners()
{
    bool accepted = false;
    guarded(m_context.prompter, [&] { accepted = m_services.dialogs->manageLearners(this); });
    if (accepted)
        refresh();
}

void CMainDlg::showOptions()
{
    guarded(m_context.prompter, [&] { m_services.dialogs->showOptions(this); });
    applyBackground();
    refresh();
    update();
}

void CMainDlg::makeShortcut(const std::string &path)
{
    guarded(m_context.prompter, [&] { m_services.dialogs->makeShortcut(path, this); });
}

void CMainDlg::startEditor()
{
    kvr::startEditor(*m_services.shell, m_context.prompter, env::programFolder());
}

void CMainDlg::showHelp()
{
    showHelpPage(CHelpWindow::topPage());
}

void CMainDlg::showHelpPage(const QUrl &page)
{
    if (!m_helpWindow) {
        m_helpWindow = new CHelpWindow(this);
        m_helpWindow->setAttribute(Qt::WA_DeleteOnClose);
        placeOverThisWindow(m_helpWindow);
    }
    m_helpWindow->showPage(page);
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

// Wholly on this window's screen, centred over it; the frame the window manager adds is
// taken to be the one around this window.
void CMainDlg::placeOverThisWindow(QWidget *window) const
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QSize frame = outer.size() - inner.size();
    const QRect available = screen->availableGeometry();
    const QSize wanted = window->size() + frame;
    const Rect placed =
        windowOverOwner({ wanted.width(), wanted.height() },
                        { outer.x(), outer.y(), outer.width(), outer.height() },
                        { available.x(), available.y(), available.width(), available.height() });
    window->resize(placed.width - frame.width(), placed.height - frame.height());
    window->move(placed.x, placed.y); // move() places the frame's corner
}

void CMainDlg::openReadme()
{
    // Beside the program in a portable folder, in the shipped folder when installed.
    const std::string readme = DataLocations::current().findShipped(kReadmeFileName);
    m_services.shell->openFile(readme.empty() ? env::joinPath(env::programFolder(), kReadmeFileName)
                                              : readme);
}

void CMainDlg::openHomePage()
{
    const std::string address = homePageOf(kStudyProgram);
    m_services.shell->openAddress(address);
}

void CMainDlg::showAbout()
{
    CAboutDlg about(this);
    about.exec();
}

} // namespace kvr::ui
