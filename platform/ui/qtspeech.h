#pragma once

#include <memory>
#include <string>

#include "platform/sound.h"
#include "platform/speech/synthesiser.h"

namespace kvr::ui {

class CQtSoundPlayer;

// Speech on Linux: each text is synthesised into a WAV file off the UI thread (flite for
// Latin text, open_jtalk for Japanese) and played on the sound player's speech channel,
// the same player the effect sounds use. A voice counts as available once a probe text
// it synthesised at start turned out audible; the probe runs on the synthesis thread, so
// start-up does not wait for it.
class CQtSpeechEngine final : public ISpeechEngine
{
public:
    explicit CQtSpeechEngine(CQtSoundPlayer &player, const speech::SpeechSetup &setup = {});
    ~CQtSpeechEngine() override;

    // The first call waits for the probe if it is still running.
    bool isAvailable() const override;
    void setRate(double rate) override;
    void setVolume(double volume) override;
    void say(const std::string &text) override;
    void sayAfter(const std::string &text) override;
    void stop() override;

    bool latinAvailable() const;
    bool japaneseAvailable() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kvr::ui
