#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/speech/speechtext.h"

namespace kvr::speech {
namespace {

TEST(SpeechText, JapaneseVoiceOnlyForKanaKanjiAndWideForms)
{
    const struct
    {
        const char *utf8;
        Voice voice;
    } rows[] = {
        { "I have a pen.", Voice::Latin },
        { "café", Voice::Latin },
        { "", Voice::Latin },
        { "apple りんご", Voice::Japanese },
        { "リンゴ", Voice::Japanese },
        { "林檎", Voice::Japanese },
        { "ＡＢＣ", Voice::Japanese },
        { "ﾃｽﾄ", Voice::Japanese },
        { "\xE3\x81", Voice::Latin }, // a cut-off sequence is not Japanese
    };
    for (const auto &row : rows)
        EXPECT_EQ(voiceFor(row.utf8), row.voice) << row.utf8;
}

TEST(SpeechText, SpokenTextIsOneTrimmedUtf8Line)
{
    const struct
    {
        std::string cp932;
        std::string utf8;
    } rows[] = {
        { cp932::text("りんごを\r\n食べる"), "りんごを 食べる" },
        { "  a\t\tpen  ", "a pen" },
        { "\r\n \t", "" },
        { cp932::text("表"), "表" }, // trail byte 0x5C stays part of its character
    };
    for (const auto &row : rows)
        EXPECT_EQ(spokenText(row.cp932), row.utf8) << row.utf8;
}

TEST(SpeechText, RateAndVolumeMapOntoSynthesiserOptions)
{
    const struct
    {
        double rate, volume;
        double speed, stretch, gainDb;
        int scale;
        bool silent;
    } rows[] = {
        { 0.0, 1.0, 1.0, 1.0, 0.0, 65536, false },
        { 1.0, 0.5, 2.0, 0.5, -6.02, 32768, false },
        { -1.0, 0.1, 0.5, 2.0, -20.0, 6554, false },
        { 5.0, 2.0, 2.0, 0.5, 0.0, 65536, false }, // clamped
        { 0.0, 0.0, 1.0, 1.0, 0.0, 0, true },
        { 0.0, -1.0, 1.0, 1.0, 0.0, 0, true },
    };
    for (const auto &row : rows) {
        const SynthesisOptions o = synthesisOptions(row.rate, row.volume);
        EXPECT_NEAR(o.speed, row.speed, 1e-9) << row.rate;
        EXPECT_NEAR(o.durationStretch, row.stretch, 1e-9) << row.rate;
        EXPECT_NEAR(o.gainDb, row.gainDb, 0.01) << row.volume;
        EXPECT_EQ(o.fliteScale, row.scale) << row.volume;
        EXPECT_EQ(o.silent, row.silent) << row.volume;
    }
}

} // namespace
} // namespace kvr::speech
