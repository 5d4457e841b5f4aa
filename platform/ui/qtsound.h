#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/sound.h"

namespace kvr::ui {

// Sound on the system's audio output. Effect sounds that were preloaded play through
// QSoundEffect (no start-up delay); every other WAV file plays on a QMediaPlayer. play()
// has one channel, where a new sound replaces the one playing; generated speech has a
// channel of its own, so an effect and the words after it are both heard. Nothing waits
// for playback.
class CQtSoundPlayer final : public ISoundPlayer
{
public:
    CQtSoundPlayer();
    ~CQtSoundPlayer() override;

    // Loads an effect sound (CP932 path) ahead of its first play; a path that names no
    // playable file is ignored.
    void preload(const std::string &path);

    // False, without playing, for a missing file or one that is not a PCM WAV file.
    bool play(const std::string &path) override;
    void stop() override; // the play() channel

    // Plays a file by its native (UTF-8) path on the speech channel: generated speech,
    // whose volume is already in its samples. A new file replaces the one playing.
    void playNativeFile(const std::string &nativePath);
    void stopNativeFile();
    // Called when a file of the speech channel played to its end or could not be played
    // (not after stopNativeFile()).
    void setSpeechEndHandler(std::function<void()> handler);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kvr::ui
