#pragma once

// Helpers for tests: a temporary folder that removes itself.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/environment.h"

namespace kvr {

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvr-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // The folder as a CP932 path (the temp folder's name is plain ASCII).
    const std::string &path() const { return m_path; }
    std::string file(const std::string &name) const { return env::joinPath(m_path, name); }

private:
    std::string m_path;
};

} // namespace kvr
