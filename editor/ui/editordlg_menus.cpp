// The editor's menu bar and its two popups, built from the core's menu tables.
#include <array>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "editor/editorsession.h"
#include "editor/ui/editordlg.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// Object names of the actions, in the order of EditorCommand.
// clang-format off
constexpr std::array<const char *, 27> kCommandNames = {
    "reloadTree", "save", "export", "import", "importCsv", "restoreBackup", "exit", "cut", "copy",
    "paste", "deleteRow", "insertRow", "insertFromCollection", "newCollection", "newFolder",
    "rename", "copyNode", "moveNode", "deleteNode", "options", "help", "upgradeHint", "homePage",
    "about", "details", "chooseWav", "nextRow"
};
// clang-format on
static_assert(static_cast<std::size_t>(EditorCommand::NextRow) + 1 == kCommandNames.size());

// Object names of the menu bar's menus, in the order of the core's table.
constexpr std::array<const char *, 5> kMenuNames = { "fileMenu", "editMenu", "sectionMenu",
                                                     "toolMenu", "helpMenu" };

QString commandName(EditorCommand command)
{
    return QLatin1String(kCommandNames[static_cast<std::size_t>(command)]);
}

} // namespace

void CEditorDlg::createMenus()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    const std::vector<Menu> menus = editorMenuBar();
    for (std::size_t index = 0; index < menus.size(); ++index) {
        QMenu *menu = m_menuBar->addMenu(qtext(menus[index].title));
        if (index < kMenuNames.size())
            menu->setObjectName(QLatin1String(kMenuNames[index]));
        addItems(menu, menus[index].items, true);
        // Qt cannot reach the window's system menu: its about item ends the help menu.
        if (index + 1 == menus.size()) {
            menu->addSeparator();
            addItems(menu, { systemMenuAboutItem() }, false);
        }
    }
    m_sectionPopup = new QMenu(this);
    m_sectionPopup->setObjectName(QStringLiteral("SectionPopup"));
    addItems(m_sectionPopup, sectionPopup(), false);
    m_datalistPopup = new QMenu(this);
    m_datalistPopup->setObjectName(QStringLiteral("DatalistPopup"));
    addItems(m_datalistPopup, datalistPopup(), false);
}

// bar: the items of the menu bar, the ones menuAction() finds.
void CEditorDlg::addItems(QMenu *menu, const std::vector<MenuItem> &items, bool bar)
{
    for (const MenuItem &item : items) {
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        if (!item.command) {
            QMenu *submenu = menu->addMenu(qtext(item.text));
            addItems(submenu, item.submenu, bar);
            continue;
        }
        // The text after "\t" is shown as the key; the keys themselves go through the core.
        QAction *action = menu->addAction(qtext(item.text));
        const EditorCommand command = *item.command;
        action->setObjectName(commandName(command));
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
        if (bar)
            m_menuActions.emplace(command, action);
    }
}

QAction *CEditorDlg::menuAction(EditorCommand command) const
{
    const auto found = m_menuActions.find(command);
    return found == m_menuActions.end() ? nullptr : found->second;
}

void CEditorDlg::showGridPopup(const QPoint &globalPos)
{
    if (m_session.view().collectionControls)
        m_datalistPopup->popup(globalPos);
}

} // namespace kvr::ui
