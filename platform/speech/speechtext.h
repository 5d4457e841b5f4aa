#pragma once

#include <string>
#include <string_view>

namespace kvr::speech {

// The two synthesisers: flite reads English and other Latin text, open_jtalk Japanese.
enum class Voice { Latin, Japanese };

// True when the UTF-8 text holds a character only Japanese speech can read: kana, kanji,
// CJK punctuation or a full-width or half-width form.
bool isJapaneseText(std::string_view utf8);

Voice voiceFor(std::string_view utf8);

// A CP932 text as one utterance in UTF-8: line ends, tabs and runs of blanks become one
// blank, with none at either end. Empty when nothing is left to say.
std::string spokenText(std::string_view cp932);

// The synthesisers' own settings for one utterance.
struct SynthesisOptions
{
    double speed = 1.0; // open_jtalk -r: 2^rate, 0.5 … 2
    double durationStretch = 1.0; // flite duration_stretch: 1 / speed
    double gainDb = 0.0; // open_jtalk -g: 20·log10(volume), never above 0
    int fliteScale = 65536; // flite cst_wave_rescale factor: volume × 65536
    bool silent = false; // volume 0: nothing is synthesised
};

// rate in [-1, 1] (0 = normal) and volume in [0, 1], both clamped.
SynthesisOptions synthesisOptions(double rate, double volume);

} // namespace kvr::speech
