#pragma once

// The file dialogs for tests of every folder: answers come from a script (cancel once it is
// empty) and every request is recorded. Header-only, for GoogleTest and QtTest programs.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/filedialogs.h"
#include "platform/testsupport_script.h"

namespace kvr::test {

class ScriptedFileDialogs final : public IFileDialogs
{
public:
    std::optional<std::string> askPath(const FileRequest &request) override
    {
        requests.push_back(request);
        return takeNext(answers);
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<FileRequest> requests;
};

} // namespace kvr::test
