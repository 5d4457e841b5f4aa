#pragma once

// Fakes for the tests of the study program's core (header only, so the drill tests can use
// them without another library).

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "platform/prompter.h"

namespace kvr::test {

// The file dialog: gives the scripted answers in turn (cancel once the script is empty)
// and keeps what each call was shown.
class ScriptedFileChooser final : public IFileChooser
{
public:
    struct Call
    {
        std::string title;
        std::vector<FileFilter> filters;
        std::string initialPath;
    };

    std::optional<std::string> askOpenFile(const std::string &title,
                                           const std::vector<FileFilter> &filters,
                                           const std::string &initialPath) override
    {
        calls.push_back({ title, filters, initialPath });
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<Call> calls;
};

} // namespace kvr::test
