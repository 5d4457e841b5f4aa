// The main window's menu bar, toolbar and tree popup.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

#include "app/ui/databasetreewidget.h"
#include "app/ui/maindlg.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr int kToolIconSize = 20;

} // namespace

void CMainDlg::createMenus()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("mainMenuBar"));
    auto addItem = [this](QMenu *menu, MainCommand command) {
        const MainCommandInfo &info = commandInfo(command);
        QAction *action = menu->addAction(utext(info.menuText));
        action->setObjectName(QStringLiteral("action") + QLatin1String(info.objectName));
        if (info.key != 0) {
            action->setShortcut(QKeySequence(info.key));
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action); // keys work whatever has the focus, menus closed
        }
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
        m_menuActions[command] = action;
    };
    for (const MainMenu &layout : menuBarLayout()) {
        QMenu *menu = m_menuBar->addMenu(utext(layout.title));
        // The items that follow the selection are set whenever a menu opens.
        connect(menu, &QMenu::aboutToShow, this, &CMainDlg::updateSelectionMenuItems);
        if (layout.tabSubmenuFirst) {
            QMenu *tabs = menu->addMenu(utext("タブを変更(&C)"));
            tabs->setObjectName(QStringLiteral("tabMenu"));
            for (MainCommand command : tabCommands())
                addItem(tabs, command);
        }
        for (const std::optional<MainCommand> &item : layout.items) {
            if (item)
                addItem(menu, *item);
            else
                menu->addSeparator();
        }
    }
    // F1 asks for no help here; swallow it so no default handler sees it.
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setObjectName(QStringLiteral("swallowF1"));
}

void CMainDlg::createToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setIconSize(QSize(kToolIconSize, kToolIconSize));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const std::optional<MainCommand> &item : toolBarOrder()) {
        if (!item) {
            m_toolBar->addSeparator();
            continue;
        }
        const MainCommandInfo &info = commandInfo(*item);
        // A toolbar button of its own: the menu's greying does not reach the toolbar.
        QAction *action = m_toolBar->addAction(toolIcon(*info.icon), utext(info.toolTip));
        action->setObjectName(QStringLiteral("tool") + QLatin1String(info.objectName));
        action->setToolTip(utext(info.toolTip));
        const MainCommand command = *item;
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
        m_toolActions[command] = action;
    }
}

void CMainDlg::updateSelectionMenuItems()
{
    const std::optional<bool> enabled = m_session->view().selectionCommands;
    if (!enabled)
        return;
    for (MainCommand command : { MainCommand::Shortcut, MainCommand::QuestionList,
                                 MainCommand::JapaneseToEnglishTyped, MainCommand::SpeedReply })
        m_menuActions.at(command)->setEnabled(*enabled);
}

QAction *CMainDlg::menuAction(MainCommand command) const
{
    auto it = m_menuActions.find(command);
    return it == m_menuActions.end() ? nullptr : it->second;
}

QAction *CMainDlg::toolAction(MainCommand command) const
{
    auto it = m_toolActions.find(command);
    return it == m_toolActions.end() ? nullptr : it->second;
}

} // namespace kvr::ui
