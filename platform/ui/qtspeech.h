#pragma once

#include <memory>
#include <string>

#include <QString>

#include "platform/sound.h"

namespace kvr::ui {

class CQtSoundPlayer;

// Where the engines are looked for; tests point these at stand-ins.
struct SpeechSetup
{
    QString latinEngine = QStringLiteral("flite");
    QString jtalkProgram = QStringLiteral("open_jtalk"); // a name on PATH or a path
    QString jtalkDictionary = QStringLiteral("/var/lib/mecab/dic/open-jtalk/naist-jdic");
    QString voiceFolder = QStringLiteral("/usr/share/hts-voice"); // searched for *.htsvoice
};

// Speech on Linux: English and other Latin text through QTextToSpeech with the "flite"
// engine named explicitly (never the default engine, which may hang without audio);
// Japanese text (kana or kanji) through open_jtalk writing a temporary WAV that plays on
// the sound player. Available when at least one of the two works.
class CQtSpeechEngine final : public ISpeechEngine
{
public:
    explicit CQtSpeechEngine(CQtSoundPlayer &player, const SpeechSetup &setup = {});
    ~CQtSpeechEngine() override;

    bool isAvailable() const override;
    void setRate(double rate) override;
    void setVolume(double volume) override;
    // A new text replaces the one being spoken.
    void say(const std::string &text) override;
    void stop() override;

    bool latinAvailable() const; // flite, with an audio device
    bool japaneseAvailable() const; // open_jtalk with its dictionary and a voice

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// True when the text holds a character only Japanese speech can read: kana, kanji or a
// full-width form.
bool isJapaneseText(const QString &text);

} // namespace kvr::ui
