#pragma once

#include <QString>

#include "app/optionssheet.h"

class QWidget;

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// The file, folder and colour dialogs of the options pages. A chosen path that CP932
// cannot hold is refused with a message and the dialog opens again.
class CQtOptionDialogs final : public IOptionsChooser
{
public:
    CQtOptionDialogs(QWidget *parent, IPrompter &prompter);

    std::optional<std::string> askOpenFile(const FileRequest &request) override;
    std::optional<std::string> askFolder(const std::string &title,
                                         const std::string &initialFolder) override;
    std::optional<Rgb> askColour(Rgb initial) override;

private:
    std::optional<std::string> storable(const QString &chosen);

    QWidget *m_parent;
    IPrompter &m_prompter;
};

} // namespace kvr::ui
