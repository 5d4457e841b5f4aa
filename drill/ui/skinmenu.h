#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QMenu>

#include "drill/skin.h"
#include "platform/filedialogs.h"

namespace kvr::ui {

// What the window's menu asks for.
struct DrillMenuChoice
{
    enum Command { None, ReloadSkin, ChooseSkin, ChooseSkinFile, About };
    Command command = None;
    std::string path; // ChooseSkin: the skin file (CP932)
};

// The drill window's own menu: "スキンの再読込(&R)\tF5", the popup "スキンの変更(&S)" with one
// entry per skin beside the current one (which is checked) and "ファイル選択... (&C)", and
// the about entry. The window shows it from its menu button and on a right click on its
// background (a window cannot add items to the window manager's menu).
class CSkinMenu final : public QMenu
{
    Q_OBJECT
public:
    CSkinMenu(const std::string &skinPath, QWidget *parent);

    DrillMenuChoice choiceOf(const QAction *action) const;
    DrillMenuChoice choose(const QPoint &globalPos);

private:
    QAction *m_reload = nullptr;
    QAction *m_chooseFile = nullptr;
    QAction *m_about = nullptr;
    std::vector<SkinMenuEntry> m_skins;
    std::vector<QAction *> m_skinActions;
};

// The file dialog "スキンファイルを指定してください。", starting at the current skin. The
// chosen file as a native (UTF-8) name; nothing when cancelled.
FileRequest skinFileRequest(const std::string &skinPath);

} // namespace kvr::ui
