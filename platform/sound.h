#pragma once

#include <string>

namespace kvr {

// Plays WAV files (effect sounds and recorded voices). One channel: a new sound replaces
// the one playing; nothing ever waits for playback to end.
class ISoundPlayer
{
public:
    virtual ~ISoundPlayer() = default;
    // Starts playing the file (CP932 path) and returns at once. False when the file cannot
    // be played: it does not exist or is not a WAV file the player understands. Callers
    // that pronounce ignore the result; the options sheet reports it.
    virtual bool play(const std::string &path) = 0;
    virtual void stop() = 0;
};

// The text-to-speech engine behind the study program. Rate and volume arrive already mapped
// to the engine's units and apply to texts asked for afterwards.
class ISpeechEngine
{
public:
    virtual ~ISpeechEngine() = default;
    // False when no engine could be created or it is in an error state: every speech call
    // is then skipped by the callers.
    virtual bool isAvailable() const = 0;
    // rate in [-1, 1] (0 = normal), from the stored VoiceRate -10…10.
    virtual void setRate(double rate) = 0;
    // volume in [0, 1], from the stored VoiceVolume 0…100.
    virtual void setVolume(double volume) = 0;
    // Starts speaking a CP932 text and returns at once; it replaces whatever is being
    // spoken or waiting.
    virtual void say(const std::string &text) = 0;
    // Speaks a CP932 text after everything asked for before it (several texts in turn).
    virtual void sayAfter(const std::string &text) = 0;
    virtual void stop() = 0;
};

} // namespace kvr
