#pragma once

#include <optional>
#include <string>

#include "platform/filedialogs.h"

namespace kvr {

// The file dialogs with one answer given beforehand: the file named on the editor's command
// line answers the import's dialog; every later dialog is asked for real.
class CPresetFileDialogs final : public IFileDialogs
{
public:
    explicit CPresetFileDialogs(IFileDialogs &dialogs)
        : m_dialogs(dialogs)
    {
    }

    // The answer of the next dialog (a CP932 path).
    void presetNext(std::string path) { m_next = std::move(path); }

    std::optional<std::string> askPath(const FileRequest &request) override
    {
        if (!m_next)
            return m_dialogs.askPath(request);
        std::optional<std::string> answer = std::move(m_next);
        m_next.reset();
        return answer;
    }

private:
    IFileDialogs &m_dialogs;
    std::optional<std::string> m_next;
};

} // namespace kvr
