#pragma once

#include "platform/shell.h"

namespace kvr::ui {

// The desktop's handlers (QDesktopServices, which runs xdg-open) and QProcess.
class CQtShell final : public IShell
{
public:
    bool openAddress(const std::string &address) override;
    bool openFile(const std::string &path) override;
    bool startDetached(const std::string &program, const std::vector<std::string> &arguments,
                       const std::string &folder) override;
};

} // namespace kvr::ui
