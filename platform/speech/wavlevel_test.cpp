#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/speech/wavlevel.h"
#include "platform/testsupport.h"

namespace kvr::speech {
namespace {

void put16(std::string &out, unsigned v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string &out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A mono WAV of the given samples; format 1 = PCM.
std::string wavBytes(const std::vector<std::int16_t> &samples, unsigned format = 1,
                     unsigned bits = 16, bool listChunkFirst = false)
{
    std::string data;
    for (const std::int16_t s : samples)
        put16(data, static_cast<std::uint16_t>(s));
    std::string body = "WAVE";
    if (listChunkFirst) {
        body += "LIST";
        put32(body, 3);
        body += std::string("abc\0", 4); // odd size, padded
    }
    body += "fmt ";
    put32(body, 16);
    put16(body, format);
    put16(body, 1);
    put32(body, 8000);
    put32(body, 16000);
    put16(body, 2);
    put16(body, bits);
    body += "data";
    put32(body, static_cast<std::uint32_t>(data.size()));
    body += data;
    std::string out = "RIFF";
    put32(out, static_cast<std::uint32_t>(body.size()));
    return out + body;
}

std::vector<std::int16_t> sine(double amplitude, int count)
{
    std::vector<std::int16_t> samples;
    for (int i = 0; i < count; ++i)
        samples.push_back(static_cast<std::int16_t>(amplitude * 32767 * std::sin(i * 0.3)));
    return samples;
}

TEST(WavLevel, MeasuresRmsPeakAndLength)
{
    TempFolder dir;
    const struct
    {
        const char *name;
        std::string bytes;
        bool measured;
        double rms, peak;
        bool audible;
    } rows[] = {
        { "silence", wavBytes(std::vector<std::int16_t>(8000, 0)), true, 0.0, 0.0, false },
        { "half sine", wavBytes(sine(0.5, 8000)), true, 0.3535, 0.5, true },
        { "faint hiss", wavBytes(sine(0.004, 8000)), true, 0.0028, 0.004, false },
        { "list chunk first", wavBytes(sine(0.5, 8000), 1, 16, true), true, 0.3535, 0.5, true },
        { "adpcm", wavBytes(sine(0.5, 800), 2), false, 0, 0, false },
        { "8-bit", wavBytes(sine(0.5, 800), 1, 8), false, 0, 0, false },
        { "not riff", "RIFX0000WAVE", false, 0, 0, false },
    };
    for (const auto &row : rows) {
        const std::string path = dir / (std::string(row.name) + ".wav");
        dir.put(std::string(row.name) + ".wav", row.bytes);
        const auto level = measureWav(path);
        ASSERT_EQ(level.has_value(), row.measured) << row.name;
        EXPECT_EQ(isAudible(path), row.audible) << row.name;
        if (!level)
            continue;
        EXPECT_NEAR(level->rms, row.rms, 0.002) << row.name;
        EXPECT_NEAR(level->peak, row.peak, 0.002) << row.name;
        EXPECT_EQ(level->durationMs, 1000) << row.name;
    }
    EXPECT_FALSE(measureWav(dir / "missing.wav"));
}

} // namespace
} // namespace kvr::speech
