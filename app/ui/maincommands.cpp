#include "app/ui/maincommands.h"

#include <array>

namespace kvr::ui {

namespace {

using C = MainCommand;
using I = ToolIcon;

const std::array<MainCommandInfo, 22> kCommands { {
    { C::Reload, "Reload", "データベースの再読み込み(&M)\tF5", Qt::Key_F5, {}, {} },
    { C::Shortcut, "Shortcut", "問題のショートカットの作成(&S)...", 0, I::Shortcut,
      "問題集のショートカットをデスクトップに作成します。" },
    { C::RestoreBackup, "RestoreBackup", "バックアップから戻す(&B)...", 0, {}, {} },
    { C::Exit, "Exit", "逃げる(&X)", 0, I::Exit, "Kvr を終了します。" },
    { C::JapaneseToEnglishTyped, "JapaneseToEnglishTyped", "和英入力モード(&J)", 0,
      I::JapaneseToEnglishTyped, "和英学習を開始します。" },
    { C::JapaneseToEnglishChoice, "JapaneseToEnglishChoice", "和英４択モード(&F)", 0,
      I::JapaneseToEnglishChoice, "和英４択の学習を開始します。" },
    { C::EnglishToJapaneseTyped, "EnglishToJapaneseTyped", "英和入力モード(&E)", 0,
      I::EnglishToJapaneseTyped, "英和学習を開始します。" },
    { C::EnglishToJapaneseChoice, "EnglishToJapaneseChoice", "英和４択モード(&4)", 0,
      I::EnglishToJapaneseChoice, "英和４択の学習を開始します。" },
    { C::SpeedReply, "SpeedReply", "SpeedReply(&S)", 0, I::SpeedReply,
      "スピードリプライ（問題と答えが表示され、答えを入力していく学習モード）を開始します。" },
    { C::LastDrill, "LastDrill", "前回学習した問題(&L)", 0, I::LastDrill,
      "前回学習した問題をもう一度学習します。" },
    { C::LastMissed, "LastMissed", "前回に間違えた問題(&M)", 0, I::LastMissed,
      "前回の学習で間違えた問題をもう一度学習します。" },
    { C::TabNormal, "TabNormal", "通常学習(&L)\tF2", Qt::Key_F2, {}, {} },
    { C::TabPerQuestion, "TabPerQuestion", "問題毎履歴(&Q)\tF3", Qt::Key_F3, {}, {} },
    { C::TabProgress, "TabProgress", "進行状況(&T)\tF4", Qt::Key_F4, {}, {} },
    { C::QuestionList, "QuestionList", "問題一覧(&P)...\tF9", Qt::Key_F9, I::QuestionList,
      "問題の一覧を表示します。" },
    { C::Editor, "Editor", "問題エディタ(&E)...", 0, I::Editor,
      "問題エディタ (KvrEditor) を起動します。" },
    { C::Learners, "Learners", "利用者の追加・変更・削除(&U)...\tF11", Qt::Key_F11, {}, {} },
    { C::Options, "Options", "オプション設定(&O)...\tF12", Qt::Key_F12, I::Options,
      "オプション設定を変更します。" },
    { C::Help, "Help", "ヘルプ(&H)", 0, I::Help, "ヘルプを表示します。" },
    { C::Readme, "Readme", "最初にお読みください(&R)", 0, {}, {} },
    { C::HomePage, "HomePage", "ホームページ(&W)...", 0, I::HomePage,
      "作者のホームページを開きます。" },
    { C::About, "About", "バージョン情報(&V)...", 0, {}, {} },
} };

const std::optional<MainCommand> kToolBar[] = {
    C::Shortcut,
    C::QuestionList,
    std::nullopt,
    C::JapaneseToEnglishTyped,
    C::JapaneseToEnglishChoice,
    C::EnglishToJapaneseTyped,
    C::EnglishToJapaneseChoice,
    C::SpeedReply,
    std::nullopt,
    C::LastDrill,
    C::LastMissed,
    std::nullopt,
    C::Editor,
    C::Options,
    std::nullopt,
    C::HomePage,
    C::Help,
    C::Exit,
};

const std::optional<MainCommand> kFileMenu[] = { C::Reload,        C::Shortcut,  std::nullopt,
                                                 C::RestoreBackup, std::nullopt, C::Exit };
const std::optional<MainCommand> kStudyMenu[] = {
    C::JapaneseToEnglishTyped,
    C::JapaneseToEnglishChoice,
    C::EnglishToJapaneseTyped,
    C::EnglishToJapaneseChoice,
    C::SpeedReply,
    std::nullopt,
    C::LastDrill,
    C::LastMissed,
};
const std::optional<MainCommand> kViewMenu[] = { C::QuestionList };
const std::optional<MainCommand> kToolsMenu[] = { C::Editor, C::Learners, C::Options };
const std::optional<MainCommand> kHelpMenu[] = { C::Help, C::Readme, C::HomePage, std::nullopt,
                                                 C::About };

const MainMenu kMenus[] = {
    { "ファイル(&F)", kFileMenu }, { "学習(&S)", kStudyMenu },  { "表示(&V)", kViewMenu, true },
    { "ツール(&T)", kToolsMenu },  { "ヘルプ(&H)", kHelpMenu },
};

const MainCommand kTabs[] = { C::TabNormal, C::TabPerQuestion, C::TabProgress };

} // namespace

const MainCommandInfo &commandInfo(MainCommand command)
{
    for (const MainCommandInfo &info : kCommands) {
        if (info.command == command)
            return info;
    }
    return kCommands.front();
}

std::span<const std::optional<MainCommand>> toolBarOrder()
{
    return kToolBar;
}

std::span<const MainMenu> menuBarLayout()
{
    return kMenus;
}

std::span<const MainCommand> tabCommands()
{
    return kTabs;
}

} // namespace kvr::ui
