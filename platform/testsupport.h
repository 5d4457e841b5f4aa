#pragma once

// Helpers for tests: a temporary folder that removes itself, and whole-file access.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/error.h"

namespace kvr {

// CP932 bytes of a UTF-8 literal.
inline std::string sj(std::string_view utf8)
{
    return cp932::text(utf8);
}

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
    std::string file(const std::string &relative) const { return env::joinPath(m_path, relative); }
    std::string operator/(const std::string &relative) const { return file(relative); }

    // Writes a file below the folder, making the folders on its way.
    void put(const std::string &relative, const std::string &contents) const
    {
        const std::filesystem::path path = file(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }

private:
    std::string m_path;
};

// The text of the KvrError a call raises, or "(no error)".
template <typename Call> std::string errorText(Call call)
{
    try {
        call();
    } catch (const KvrError &error) {
        return error.what();
    }
    return "(no error)";
}

inline std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string &path, const std::string &contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

} // namespace kvr
