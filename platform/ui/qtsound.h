#pragma once

#include <memory>
#include <string>

#include "platform/sound.h"

namespace kvr::ui {

// Sound on the system's audio output. Effect sounds that were preloaded play through
// QSoundEffect (no start-up delay); every other WAV file plays on one QMediaPlayer, where a
// new sound replaces the one playing. Nothing waits for playback.
class CQtSoundPlayer final : public ISoundPlayer
{
public:
    CQtSoundPlayer();
    ~CQtSoundPlayer() override;

    // Loads an effect sound (CP932 path) ahead of its first play; a path that names no
    // playable file is ignored.
    void preload(const std::string &path);

    bool play(const std::string &path) override;
    void stop() override;

    // Plays a file by its native (UTF-8) path on the media player: generated speech.
    void playNativeFile(const std::string &nativePath);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kvr::ui
