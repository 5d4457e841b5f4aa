#pragma once

#include <QString>
#include <QStringList>

#include "app/startup.h"

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// The file-open dialog of the missing-file questions, over the active window. A file
// whose name CP932 cannot hold is refused with a message and the dialog asks again.
class CQtFileChooser final : public IFileChooser
{
public:
    explicit CQtFileChooser(IPrompter &prompter);
    std::optional<std::string> askOpenFile(const std::string &title,
                                           const std::vector<FileFilter> &filters,
                                           const std::string &initialPath) override;

    // "Kvr Files(*.kvr)" / "*.kvr" as a Qt name filter: the label, with the pattern
    // appended in brackets unless the label already ends with it.
    static QStringList nameFilters(const std::vector<FileFilter> &filters);

private:
    IPrompter &m_prompter;
};

} // namespace kvr::ui
