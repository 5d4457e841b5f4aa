#pragma once

// The bytes of a whole file, held for as long as anything points into them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kvr {

// Where the system allows, the file is mapped read-only instead of read: a large file is
// then ready at once, its pages come from the file cache as they are touched, and nothing
// is copied. The programs replace their files with new ones (replaceFileAtomically) and so
// never change the bytes of a mapping; a program that rewrote the file in place would, and
// unchanged() tells.
class CMappedText
{
public:
    // Nothing when path (CP932) is not a regular file that can be read.
    static std::shared_ptr<const CMappedText> open(std::string_view path);
    // Text already in memory, kept as a copy.
    static std::shared_ptr<const CMappedText> hold(std::string_view text);

    CMappedText(const CMappedText &) = delete;
    CMappedText &operator=(const CMappedText &) = delete;
    ~CMappedText();

    std::string_view view() const { return m_view; }
    // False once the file was changed in place since it was opened: the bytes are then no
    // longer those that were read (and reading them past a new end would fault).
    bool unchanged() const;

private:
    CMappedText() = default;

    std::string m_copy; // the bytes when they are not mapped
    std::string_view m_view;
    void *m_mapping = nullptr;
    int m_descriptor = -1;
    std::uint64_t m_size = 0;
    std::int64_t m_modifiedNs = 0;
};

} // namespace kvr
