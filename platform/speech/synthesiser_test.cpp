#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/speech/synthesiser.h"
#include "platform/speech/wavlevel.h"
#include "platform/testsupport.h"

namespace kvr::speech {
namespace {

const SynthesisOptions kNormal = synthesisOptions(0.0, 1.0);

TEST(Synthesiser, EnglishBecomesAudibleWav)
{
    TempFolder dir;
    CSynthesiser synthesiser;
    const std::string wav = dir / "english.wav";
    ASSERT_TRUE(synthesiser.synthesise(Voice::Latin, "Good morning", kNormal, wav));
    const auto level = measureWav(wav);
    ASSERT_TRUE(level);
    EXPECT_GT(level->rms, kAudibleRms);
    EXPECT_GT(level->durationMs, 300);
    EXPECT_TRUE(synthesiser.probe(dir.path()).latin);
}

TEST(Synthesiser, EnglishRateAndVolumeChangeTheWav)
{
    TempFolder dir;
    CSynthesiser synthesiser;
    const auto levelAt = [&](double rate, double volume) {
        const std::string wav = dir / "level.wav";
        EXPECT_TRUE(synthesiser.synthesise(Voice::Latin, "Good morning, everybody",
                                           synthesisOptions(rate, volume), wav));
        return measureWav(wav).value_or(WavLevel {});
    };
    const WavLevel normal = levelAt(0.0, 1.0);
    const WavLevel slow = levelAt(-1.0, 1.0);
    const WavLevel quiet = levelAt(0.0, 0.25);
    EXPECT_GT(slow.durationMs, normal.durationMs * 3 / 2);
    EXPECT_NEAR(quiet.rms, normal.rms / 4, normal.rms / 20);
    EXPECT_FALSE(synthesiser.synthesise(Voice::Latin, "Good", synthesisOptions(0.0, 0.0),
                                        dir / "silent.wav"));
}

TEST(Synthesiser, JapaneseBecomesAudibleWavWhenTheVoiceIsInstalled)
{
    TempFolder dir;
    CSynthesiser synthesiser;
    if (!synthesiser.hasJapanese())
        GTEST_SKIP() << "open_jtalk, its dictionary or an HTS voice is not installed";
    const std::string wav = dir / "japanese.wav";
    ASSERT_TRUE(synthesiser.synthesise(Voice::Japanese, "りんごを食べる", kNormal, wav));
    EXPECT_TRUE(isAudible(wav));
    EXPECT_TRUE(synthesiser.probe(dir.path()).japanese);
}

// Stands in for open_jtalk: logs its arguments and input, writes a short silent WAV.
const char kFakeJTalk[] = R"sh(#!/bin/sh
log="$(dirname "$0")/log.txt"
out=""
while [ $# -gt 0 ]; do
    case "$1" in -ow) out="$2";; esac
    echo "arg $1" >> "$log"
    shift
done
echo "text $(cat)" >> "$log"
head -c 2000 /dev/zero > "$out"
)sh";

TEST(Synthesiser, JapaneseCallsJTalkWithDictionaryVoiceRateAndGain)
{
    TempFolder dir;
    dir.put("bin/open_jtalk", kFakeJTalk);
    std::filesystem::permissions(dir / "bin/open_jtalk", std::filesystem::perms::owner_all);
    dir.put("dic/sys.dic", "x");
    dir.put("voices/a/a.htsvoice", "x");
    dir.put("voices/m/nitech_jp_atr503_m001.htsvoice", "x");
    CSynthesiser synthesiser({ dir / "bin/open_jtalk", dir / "dic", dir / "voices" });
    ASSERT_TRUE(synthesiser.hasJapanese());
    EXPECT_TRUE(synthesiser.synthesise(Voice::Japanese, "りんご", synthesisOptions(1.0, 0.5),
                                       dir / "out.wav"));
    std::ifstream log(dir / "bin/log.txt");
    std::stringstream seen;
    seen << log.rdbuf();
    const std::string expected = "arg -x\narg " + dir / "dic" + "\narg -m\narg "
        + dir / "voices/m/nitech_jp_atr503_m001.htsvoice"
        + "\narg -r\narg 2.000\narg -g\narg -6.0\narg -ow\narg " + dir / "out.wav"
        + "\ntext りんご\n";
    EXPECT_EQ(seen.str(), expected);
    EXPECT_FALSE(synthesiser.probe(dir.path()).japanese); // its silent WAV does not count
}

TEST(Synthesiser, MissingJTalkMeansNoJapanese)
{
    TempFolder dir;
    CSynthesiser synthesiser({ dir / "no-such-program", dir / "dic", dir / "voices" });
    EXPECT_FALSE(synthesiser.hasJapanese());
    EXPECT_FALSE(synthesiser.synthesise(Voice::Japanese, "りんご", kNormal, dir / "x.wav"));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.wav"));
}

} // namespace
} // namespace kvr::speech
