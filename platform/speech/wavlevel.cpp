#include "platform/speech/wavlevel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace kvr::speech {

namespace {

constexpr std::uint32_t kMaxDataBytes = 64u << 20; // ten minutes of 48 kHz stereo

std::uint32_t le32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
        | std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char *p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

struct Format
{
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
};

bool readChunkHeader(std::ifstream &in, std::array<unsigned char, 8> &header)
{
    in.read(reinterpret_cast<char *>(header.data()), header.size());
    return in.gcount() == static_cast<std::streamsize>(header.size());
}

WavLevel levelOf(const std::vector<unsigned char> &data, const Format &format)
{
    WavLevel level;
    const std::size_t samples = data.size() / 2;
    if (samples == 0)
        return level;
    double sum = 0.0;
    for (std::size_t i = 0; i < samples; ++i) {
        const auto value = static_cast<std::int16_t>(le16(data.data() + 2 * i));
        const double x = value / 32768.0;
        sum += x * x;
        level.peak = std::max(level.peak, std::fabs(x));
    }
    level.rms = std::sqrt(sum / static_cast<double>(samples));
    const double frames = static_cast<double>(samples) / format.channels;
    level.durationMs = static_cast<int>(frames * 1000.0 / format.sampleRate);
    return level;
}

} // namespace

std::optional<WavLevel> measureWav(const std::string &nativePath)
{
    std::ifstream in(nativePath, std::ios::binary);
    std::array<unsigned char, 12> riff {};
    in.read(reinterpret_cast<char *>(riff.data()), riff.size());
    if (in.gcount() != 12 || std::memcmp(riff.data(), "RIFF", 4) != 0
        || std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::optional<Format> format;
    std::array<unsigned char, 8> header {};
    while (readChunkHeader(in, header)) {
        const std::uint32_t size = le32(header.data() + 4);
        if (std::memcmp(header.data(), "fmt ", 4) == 0 && size >= 16) {
            std::array<unsigned char, 16> fmt {};
            in.read(reinterpret_cast<char *>(fmt.data()), fmt.size());
            if (in.gcount() != 16 || le16(fmt.data()) != 1 || le16(fmt.data() + 14) != 16)
                return std::nullopt; // only 16-bit linear PCM is measured
            format = Format { le16(fmt.data() + 2), le32(fmt.data() + 4) };
            if (format->channels == 0 || format->sampleRate == 0)
                return std::nullopt;
            in.seekg(static_cast<std::streamoff>(size - 16 + (size & 1)), std::ios::cur);
        } else if (std::memcmp(header.data(), "data", 4) == 0) {
            if (!format)
                return std::nullopt;
            // A streamed file may carry 0xFFFFFFFF here: read what is there, within reason.
            std::vector<unsigned char> data(std::min(size, kMaxDataBytes));
            in.read(reinterpret_cast<char *>(data.data()),
                    static_cast<std::streamsize>(data.size()));
            data.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
            return levelOf(data, *format);
        } else {
            in.seekg(static_cast<std::streamoff>(size) + (size & 1), std::ios::cur);
        }
        if (!in)
            return std::nullopt;
    }
    return std::nullopt;
}

bool isAudible(const std::string &nativePath)
{
    const std::optional<WavLevel> level = measureWav(nativePath);
    return level && level->rms > kAudibleRms;
}

} // namespace kvr::speech
