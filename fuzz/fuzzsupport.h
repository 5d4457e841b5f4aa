#pragma once

// Helpers of the fuzz targets: a private folder for the files a target writes, the checks
// that turn a broken property into a crash libFuzzer records, and the split of an input
// into a control line and its text.

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace kvr::fuzz {

// Aborts (a crash for libFuzzer, with the input saved) when a property does not hold.
[[noreturn]] inline void fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
    std::abort();
}
#define KVR_FUZZ_CHECK(condition)                                                                  \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::kvr::fuzz::fail(#condition, __FILE__, __LINE__);                                     \
    } while (false)

// A folder of this process, "kvr-fuzz-<pid>", removed when it ends normally; a crash
// leaves it, so the next run removes those of processes that are gone. Targets write a file
// on every run, so a memory file system is preferred: KVR_FUZZ_TMPDIR, else /dev/shm, else
// the system's temporary folder.
class CScratchFolder
{
public:
    CScratchFolder()
    {
        namespace fs = std::filesystem;
        std::error_code error;
        fs::path base;
        if (const char *chosen = std::getenv("KVR_FUZZ_TMPDIR"))
            base = chosen;
        else if (fs::is_directory("/dev/shm", error))
            base = "/dev/shm";
        else
            base = fs::temp_directory_path();
        removeAbandoned(base);
        m_path = (base / ("kvr-fuzz-" + std::to_string(::getpid()))).string();
        fs::remove_all(m_path, error);
        if (!fs::create_directory(m_path, error)) {
            std::fprintf(stderr, "cannot create %s\n", m_path.c_str());
            std::abort();
        }
    }
    ~CScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CScratchFolder(const CScratchFolder &) = delete;
    CScratchFolder &operator=(const CScratchFolder &) = delete;

    const std::string &path() const { return m_path; }
    // A plain ASCII path, so it reads the same as CP932 and as a native name.
    std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    static void removeAbandoned(const std::filesystem::path &base)
    {
        namespace fs = std::filesystem;
        std::error_code error;
        for (fs::directory_iterator it(base, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (!name.starts_with("kvr-fuzz-"))
                continue;
            char *rest = nullptr;
            const long pid = std::strtol(name.c_str() + 9, &rest, 10);
            if (*rest == '\0' && pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0
                && errno == ESRCH) {
                std::error_code ignored;
                fs::remove_all(it->path(), ignored);
            }
        }
    }

    std::string m_path;
};

inline const CScratchFolder &scratch()
{
    static CScratchFolder folder;
    return folder;
}

inline std::string scratchFile(std::string_view name)
{
    return scratch().file(name);
}

// Writes bytes as they are, replacing the file; a failure is a broken test set-up.
inline void putFile(const std::string &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    KVR_FUZZ_CHECK(out.good());
}

inline std::string getFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void removeFile(const std::string &path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

// An input of the form "<control line>\n<text>": the control line's bytes choose the
// parameters of a run (a missing byte reads as 0), the text is what is parsed. Seeds stay
// readable and the mutator changes parameters and text alike.
class CControlledInput
{
public:
    CControlledInput(const std::uint8_t *data, std::size_t size)
    {
        const std::string_view all(reinterpret_cast<const char *>(data), size);
        const std::size_t end = all.find('\n');
        m_control = all.substr(0, end);
        m_text = end == std::string_view::npos ? std::string_view() : all.substr(end + 1);
    }

    unsigned byte(std::size_t index) const
    {
        return index < m_control.size() ? static_cast<unsigned char>(m_control[index]) : 0u;
    }
    std::string_view control() const { return m_control; }
    std::string_view text() const { return m_text; }

private:
    std::string_view m_control;
    std::string_view m_text;
};

// The pieces of text between separators (the whole text when there is none).
inline std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos) {
            parts.push_back(text);
            return parts;
        }
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
}

inline std::string_view asText(const std::uint8_t *data, std::size_t size)
{
    return std::string_view(reinterpret_cast<const char *>(data), size);
}

} // namespace kvr::fuzz
