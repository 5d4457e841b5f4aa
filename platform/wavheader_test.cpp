#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/testsupport.h"
#include "platform/testsupport_wav.h"
#include "platform/wavheader.h"

namespace kvr {
namespace {

using namespace kvr::test;

// A format chunk of the extensible kind (40 bytes) whose sub-format GUID starts with tag.
std::string extensibleFmt(unsigned tag, unsigned bits)
{
    std::string body = le16(0xFFFE) + le16(2) + le32(44100) + le32(44100 * 2 * bits / 8)
        + le16(2 * bits / 8) + le16(bits) + le16(22) + le16(bits) + le32(3) + le16(tag)
        + std::string(14, '\x10');
    return "fmt " + le32(std::uint32_t(body.size())) + body;
}

std::string manyChunksThenFmt(int chunks)
{
    std::string all;
    for (int i = 0; i < chunks; ++i)
        all += "junk" + le32(2) + "xy";
    return riffWave(all + fmtChunk(1, 16));
}

struct WavCase
{
    const char *name;
    std::string bytes;
    bool playable;
};

const std::vector<WavCase> kCases = {
    { "pcm 16", tinyWav(1, 16), true },
    { "pcm 8 after a LIST chunk of odd size", tinyWav(1, 8, true), true },
    { "pcm 24", riffWave(fmtChunk(1, 24)), true },
    { "pcm 32, stereo", riffWave(fmtChunk(1, 32, 2)), true },
    { "ms adpcm", tinyWav(2, 4), false },
    { "float", tinyWav(3, 32), false },
    { "extensible pcm", riffWave(extensibleFmt(1, 16)), true },
    { "extensible float", riffWave(extensibleFmt(3, 32)), false },
    { "12 bits", tinyWav(1, 12), false },
    { "no channels", riffWave(fmtChunk(1, 16, 0)), false },
    { "no sample rate", riffWave(fmtChunk(1, 16, 1, 0)), false },
    { "format chunk under 16 bytes", riffWave("fmt " + le32(14) + fmtChunk(1, 16).substr(8, 14)),
      false },
    { "format chunk cut short", tinyWav(1, 16).substr(0, 30), false },
    { "samples before the format", riffWave("data" + le32(2) + "ab" + fmtChunk(1, 16)), false },
    { "31 chunks before the format", manyChunksThenFmt(31), true },
    { "32 chunks before the format", manyChunksThenFmt(32), false },
    { "a chunk reaching past the end", riffWave("LIST" + le32(0xFFFFFFF0u) + "ab"), false },
    { "riff but not wave", std::string("RIFF\4\0\0\0AVI ", 12), false },
    { "text", "not a sound\r\n", false },
    { "empty", "", false },
};

TEST(WavHeader, BytesAndFileAgreeOnEveryCase)
{
    TempFolder folder;
    for (const WavCase &c : kCases) {
        EXPECT_EQ(isPlayablePcmWav(c.bytes), c.playable) << c.name;
        const std::string path = folder.file("t.wav");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
        EXPECT_EQ(isPlayablePcmWavFile(path), c.playable) << c.name << " (file)";
    }
}

TEST(WavHeader, ShippedEffectsArePlayableAndMissingFilesAreNot)
{
    const char *source = std::getenv("KVR_TEST_SOURCE_DIR");
    const std::string datas = std::string(source ? source : ".") + "/data/Datas/";
    EXPECT_TRUE(isPlayablePcmWavFile(datas + "Correct.wav"));
    EXPECT_TRUE(isPlayablePcmWavFile(datas + "Incorrect.wav"));
    EXPECT_FALSE(isPlayablePcmWavFile(datas + "missing.wav"));
    EXPECT_FALSE(isPlayablePcmWavFile(datas)); // a folder
}

} // namespace
} // namespace kvr
