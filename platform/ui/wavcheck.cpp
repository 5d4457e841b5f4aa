#include "platform/ui/wavcheck.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace kvr::ui {

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

bool readBytes(std::ifstream &in, unsigned char *into, std::size_t count)
{
    in.read(reinterpret_cast<char *>(into), static_cast<std::streamsize>(count));
    return in.gcount() == static_cast<std::streamsize>(count);
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

} // namespace

bool isPlayablePcmWav(const std::string &nativePath)
{
    std::ifstream in(nativePath, std::ios::binary);
    std::array<unsigned char, 12> riff {};
    if (!in || !readBytes(in, riff.data(), riff.size()))
        return false;
    if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return false;
    for (int i = 0; i < kMaxChunksBeforeFormat; ++i) {
        std::array<unsigned char, 8> header {};
        if (!readBytes(in, header.data(), header.size()))
            return false;
        const std::uint32_t size = le32(header.data() + 4);
        if (std::memcmp(header.data(), "fmt ", 4) == 0) {
            std::array<unsigned char, 40> fmt {};
            const std::size_t wanted = std::min<std::size_t>(size, fmt.size());
            return readBytes(in, fmt.data(), wanted)
                && isPcmFormatChunk(fmt.data(), static_cast<std::uint32_t>(wanted));
        }
        if (std::memcmp(header.data(), "data", 4) == 0)
            return false; // samples before their format: nothing can decode them
        in.seekg(static_cast<std::streamoff>(size) + (size & 1),
                 std::ios::cur); // chunks are word-aligned
        if (!in)
            return false;
    }
    return false;
}

} // namespace kvr::ui
