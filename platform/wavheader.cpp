#include "platform/wavheader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace kvr {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxChunksBeforeFormat = 32; // LIST/INFO chunks may come first

std::uint32_t le32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
        | std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char *p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool isPcmFormatChunk(const unsigned char *fmt, std::uint32_t size)
{
    if (size < 16)
        return false;
    std::uint16_t format = le16(fmt);
    const std::uint16_t channels = le16(fmt + 2);
    const std::uint32_t sampleRate = le32(fmt + 4);
    const std::uint16_t bits = le16(fmt + 14);
    if (format == kFormatExtensible && size >= 40)
        format = le16(fmt + 24); // the sub-format GUID starts with the format tag
    return format == kFormatPcm && channels >= 1 && sampleRate > 0
        && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

// Walks the chunks of a source that reads (false when fewer bytes are left) and skips.
template <typename Source> bool walkChunks(Source &source)
{
    std::array<unsigned char, 12> riff {};
    if (!source.read(riff.data(), riff.size()))
        return false;
    if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return false;
    for (int i = 0; i < kMaxChunksBeforeFormat; ++i) {
        std::array<unsigned char, 8> header {};
        if (!source.read(header.data(), header.size()))
            return false;
        const std::uint32_t size = le32(header.data() + 4);
        if (std::memcmp(header.data(), "fmt ", 4) == 0) {
            std::array<unsigned char, 40> fmt {};
            const std::size_t wanted = std::min<std::size_t>(size, fmt.size());
            return source.read(fmt.data(), wanted)
                && isPcmFormatChunk(fmt.data(), static_cast<std::uint32_t>(wanted));
        }
        if (std::memcmp(header.data(), "data", 4) == 0)
            return false; // samples before their format: nothing can decode them
        if (!source.skip(std::uint64_t(size) + (size & 1))) // chunks are word-aligned
            return false;
    }
    return false;
}

struct MemorySource
{
    std::string_view bytes;
    bool read(unsigned char *into, std::size_t count)
    {
        if (count > bytes.size())
            return false;
        std::memcpy(into, bytes.data(), count);
        bytes.remove_prefix(count);
        return true;
    }
    bool skip(std::uint64_t count)
    {
        if (count > bytes.size())
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(count));
        return true;
    }
};

struct FileSource
{
    std::ifstream &in;
    bool read(unsigned char *into, std::size_t count)
    {
        in.read(reinterpret_cast<char *>(into), static_cast<std::streamsize>(count));
        return in.gcount() == static_cast<std::streamsize>(count);
    }
    // A skip past the end succeeds here and the next read fails, as in memory.
    bool skip(std::uint64_t count)
    {
        in.seekg(static_cast<std::streamoff>(count), std::ios::cur);
        return static_cast<bool>(in);
    }
};

} // namespace

bool isPlayablePcmWav(std::string_view bytes)
{
    MemorySource source { bytes };
    return walkChunks(source);
}

bool isPlayablePcmWavFile(const std::string &nativePath)
{
    std::ifstream in(nativePath, std::ios::binary);
    if (!in)
        return false;
    FileSource source { in };
    return walkChunks(source);
}

} // namespace kvr
