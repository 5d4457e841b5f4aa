#pragma once

#include <optional>
#include <span>
#include <string_view>

#include <QKeySequence>

#include "app/ui/toolicons.h"

namespace kvr::ui {

// The main window's commands: one per menu item, shared by the toolbar and the keys.
enum class MainCommand {
    Reload,
    Shortcut,
    RestoreBackup,
    Exit,
    JapaneseToEnglishTyped,
    JapaneseToEnglishChoice,
    EnglishToJapaneseTyped,
    EnglishToJapaneseChoice,
    SpeedReply,
    LastDrill,
    LastMissed,
    TabNormal,
    TabPerQuestion,
    TabProgress,
    QuestionList,
    Editor,
    Learners,
    Options,
    Help,
    Readme,
    HomePage,
    About,
};

struct MainCommandInfo
{
    MainCommand command;
    const char *objectName; // "action" + this for the menu, "tool" + this for the toolbar
    std::string_view menuText; // UTF-8, exactly as the menu shows it
    int key; // Qt::Key, 0 for none
    std::optional<ToolIcon> icon; // on the toolbar when set
    std::string_view toolTip; // UTF-8
};

const MainCommandInfo &commandInfo(MainCommand command);

// The toolbar from left to right; nothing stands for a separator.
std::span<const std::optional<MainCommand>> toolBarOrder();

// The menu bar: each menu's title and its items; nothing stands for a separator. The
// tab items form the submenu "タブを変更" of the view menu.
struct MainMenu
{
    std::string_view title;
    std::span<const std::optional<MainCommand>> items;
    bool tabSubmenuFirst = false;
};
std::span<const MainMenu> menuBarLayout();
std::span<const MainCommand> tabCommands();

} // namespace kvr::ui
