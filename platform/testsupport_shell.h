#pragma once

// The shell for tests of every folder: records every call and answers with `accepts`.
// Header-only, for GoogleTest and QtTest programs.

#include <string>
#include <vector>

#include "platform/shell.h"

namespace kvr::test {

class RecordingShell final : public IShell
{
public:
    struct Started
    {
        std::string program;
        std::vector<std::string> arguments;
        std::string folder;
        bool operator==(const Started &) const = default;
    };

    bool openAddress(const std::string &address) override
    {
        addresses.push_back(address);
        return accepts;
    }
    bool openFile(const std::string &path) override
    {
        files.push_back(path);
        return accepts;
    }
    bool startDetached(const std::string &program, const std::vector<std::string> &arguments,
                       const std::string &folder) override
    {
        started.push_back({ program, arguments, folder });
        return accepts;
    }

    bool accepts = true;
    std::vector<std::string> addresses;
    std::vector<std::string> files;
    std::vector<Started> started;
};

} // namespace kvr::test
