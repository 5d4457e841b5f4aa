#pragma once

#include <string>

namespace kvr::ui {

// True when the file (native path) is a RIFF/WAVE file with linear PCM samples, the kind
// both QSoundEffect and the media player decode. Reads only the chunk headers up to the
// format chunk, so it answers at once; playback itself is never waited for.
bool isPlayablePcmWav(const std::string &nativePath);

} // namespace kvr::ui
