#include "platform/mappedtext.h"

#include <filesystem>
#include <optional>

#include "platform/textfile.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kvr {

namespace {

#ifndef _WIN32
std::int64_t modifiedNs(const struct stat &info)
{
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}
#endif

} // namespace

std::shared_ptr<const CMappedText> CMappedText::hold(std::string_view text)
{
    std::shared_ptr<CMappedText> held(new CMappedText);
    held->m_copy.assign(text);
    held->m_view = held->m_copy;
    return held;
}

#ifdef _WIN32

std::shared_ptr<const CMappedText> CMappedText::open(std::string_view path)
{
    const std::optional<std::string> content = readWholeFile(path);
    return content ? hold(*content) : nullptr;
}

CMappedText::~CMappedText() = default;

bool CMappedText::unchanged() const
{
    return true;
}

#else

std::shared_ptr<const CMappedText> CMappedText::open(std::string_view path)
{
    // Not blocking: a named pipe would otherwise wait here for a writer.
    const int descriptor = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return nullptr;
    std::shared_ptr<CMappedText> text(new CMappedText);
    text->m_descriptor = descriptor;
    struct stat info;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    text->m_size = static_cast<std::uint64_t>(info.st_size);
    text->m_modifiedNs = modifiedNs(info);
    if (text->m_size == 0)
        return text;
    void *mapping = ::mmap(nullptr, text->m_size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (mapping == MAP_FAILED) {
        // A file system that cannot map: read it.
        const std::optional<std::string> content = readWholeFile(path);
        return content ? hold(*content) : nullptr;
    }
    text->m_mapping = mapping;
    text->m_view = std::string_view(static_cast<const char *>(mapping), text->m_size);
    return text;
}

CMappedText::~CMappedText()
{
    if (m_mapping)
        ::munmap(m_mapping, m_size);
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool CMappedText::unchanged() const
{
    if (!m_mapping)
        return true;
    struct stat info;
    return ::fstat(m_descriptor, &info) == 0 && static_cast<std::uint64_t>(info.st_size) == m_size
        && modifiedNs(info) == m_modifiedNs;
}

#endif

} // namespace kvr
