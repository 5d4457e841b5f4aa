#pragma once

#include <optional>
#include <string>

namespace kvr::speech {

// The loudness of a 16-bit PCM WAV file, samples scaled to [-1, 1].
struct WavLevel
{
    double rms = 0.0;
    double peak = 0.0;
    int durationMs = 0;
};

// Nothing for a missing file or one that is not 16-bit PCM WAV.
std::optional<WavLevel> measureWav(const std::string &nativePath);

// Speech that can be heard: an RMS above about −46 dBFS. Silence, a file of a few samples
// and the near-zero noise of a failed synthesis stay below it.
constexpr double kAudibleRms = 0.005;
bool isAudible(const std::string &nativePath);

} // namespace kvr::speech
