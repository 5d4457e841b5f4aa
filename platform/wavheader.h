#pragma once

#include <string>
#include <string_view>

// The one question the programs ask of a WAV file before handing it to a player: is it a
// RIFF/WAVE file of linear PCM samples, the kind every player here decodes (ADPCM and
// floating-point files are not)? Only the chunk headers up to the format chunk are read, so
// it answers at once.
namespace kvr {

// The file's first bytes (or all of it); a chunk that reaches past them answers false.
bool isPlayablePcmWav(std::string_view bytes);

// The file at a native (on Linux UTF-8) path; false when it cannot be read.
bool isPlayablePcmWavFile(const std::string &nativePath);

} // namespace kvr
