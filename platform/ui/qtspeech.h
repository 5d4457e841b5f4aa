#pragma once

#include <memory>
#include <string>

#include "platform/sound.h"

namespace kvr::ui {

class CQtSoundPlayer;

// Speech on Linux: English and other Latin text through QTextToSpeech with the "flite"
// engine named explicitly (never the default engine, which may hang without audio);
// Japanese text (kana or kanji) through open_jtalk writing a temporary WAV that plays on
// the sound player. Available when at least one of the two works.
class CQtSpeechEngine final : public ISpeechEngine
{
public:
    explicit CQtSpeechEngine(CQtSoundPlayer &player);
    ~CQtSpeechEngine() override;

    bool isAvailable() const override;
    void setRate(double rate) override;
    void setVolume(double volume) override;
    void say(const std::string &text) override;
    void stop() override;

    bool latinAvailable() const; // flite
    bool japaneseAvailable() const; // open_jtalk with its dictionary and a voice

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kvr::ui
