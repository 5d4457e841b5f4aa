#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace kvr::test {

// A fresh folder under the temp dir, removed with everything in it at the end of the test.
class CTempFolder
{
public:
    CTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvrappXXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~CTempFolder() { std::filesystem::remove_all(m_path); }
    CTempFolder(const CTempFolder &) = delete;
    CTempFolder &operator=(const CTempFolder &) = delete;

    const std::string &path() const { return m_path; }
    std::string operator/(const std::string &relative) const { return m_path + "/" + relative; }

    // Writes a file below the folder, making its folders.
    void put(const std::string &relative, const std::string &contents) const
    {
        const std::filesystem::path file = *this / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
    }

private:
    std::string m_path;
};

inline std::string contentsOf(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace kvr::test
