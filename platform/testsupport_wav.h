#pragma once

// Tiny WAV files for tests of every folder. Header-only and free of any test framework.

#include <cstdint>
#include <string>

namespace kvr::test {

inline std::string le16(unsigned v)
{
    return { char(v & 0xFF), char((v >> 8) & 0xFF) };
}

inline std::string le32(std::uint32_t v)
{
    return le16(v & 0xFFFF) + le16(v >> 16);
}

// A format chunk of 16 bytes: format tag, channels, sample rate, bits per sample.
inline std::string fmtChunk(unsigned format, unsigned bits, unsigned channels = 1,
                            std::uint32_t rate = 22050)
{
    return "fmt " + le32(16) + le16(format) + le16(channels) + le32(rate)
        + le32(rate * channels * bits / 8) + le16(channels * bits / 8) + le16(bits);
}

// "RIFF", the size of what follows, "WAVE", then the chunks given.
inline std::string riffWave(const std::string &chunks)
{
    return "RIFF" + le32(std::uint32_t(chunks.size() + 4)) + "WAVE" + chunks;
}

// A tiny WAV: an optional chunk of odd size before the format, then fmt and a few samples.
inline std::string tinyWav(unsigned format, unsigned bits, bool listFirst = false)
{
    const std::string list = "LIST" + le32(3) + "abc" + std::string(1, '\0'); // one pad byte
    return riffWave((listFirst ? list : std::string()) + fmtChunk(format, bits) + "data" + le32(4)
                    + std::string(4, '\0'));
}

} // namespace kvr::test
