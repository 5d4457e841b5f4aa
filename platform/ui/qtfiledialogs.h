#pragma once

#include <QStringList>

#include "platform/filedialogs.h"

class QWidget;

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// The programs' file, save and folder dialogs over QFileDialog. A chosen path CP932 cannot
// hold is refused with kUnholdablePathText and the dialog opens again where it was.
class CQtFileDialogs final : public IFileDialogs
{
public:
    // parent: the window the dialogs belong to; null for the active one at each call.
    CQtFileDialogs(IPrompter &prompter, QWidget *parent = nullptr);
    std::optional<std::string> askPath(const FileRequest &request) override;

    // "Kvr Files(*.kvr)" / "*.kvr" as a Qt name filter: the label, with the pattern
    // appended in brackets unless the label already ends with it.
    static QStringList nameFilters(const std::vector<FileFilter> &filters);

private:
    IPrompter &m_prompter;
    QWidget *m_parent;
};

// The one refusal of a chosen path that CP932 cannot hold (UTF-8).
inline constexpr const char *kUnholdablePathText =
    "このファイル名には使えない文字が含まれています。\n\n"
    "このプログラムで扱えない文字（一部の記号や外国の文字など）を含まない名前のものを"
    "選んでください。";

} // namespace kvr::ui
