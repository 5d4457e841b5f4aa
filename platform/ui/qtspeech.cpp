#include "platform/ui/qtspeech.h"

#include <algorithm>
#include <cmath>

#include <QTextToSpeech>

#include "platform/ui/jtalk.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtsound.h"

namespace kvr::ui {

bool isJapaneseText(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) // CJK punctuation, hiragana, katakana
            || (u >= 0x31F0 && u <= 0x31FF) || (u >= 0x3400 && u <= 0x4DBF)
            || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF)
            || (u >= 0xFF00 && u <= 0xFFEF)) // full-width and half-width forms
            return true;
    }
    return false;
}

namespace {

// flite without an audio device reports its error at once or on the first utterance;
// either way it cannot be heard.
std::unique_ptr<QTextToSpeech> makeLatinEngine(const QString &name)
{
    if (!QTextToSpeech::availableEngines().contains(name))
        return nullptr;
    auto engine = std::make_unique<QTextToSpeech>(name);
    if (engine->state() == QTextToSpeech::Error
        || engine->errorReason() != QTextToSpeech::ErrorReason::NoError)
        return nullptr;
    return engine;
}

} // namespace

struct CQtSpeechEngine::Impl
{
    explicit Impl(CQtSoundPlayer &player, const SpeechSetup &setup)
        : jtalk(player, setup)
    {
    }

    bool latinBroken = false; // set from a signal of latin, so it outlives latin
    std::unique_ptr<QTextToSpeech> latin;
    CJTalk jtalk;
};

CQtSpeechEngine::CQtSpeechEngine(CQtSoundPlayer &player, const SpeechSetup &setup)
    : m_impl(std::make_unique<Impl>(player, setup))
{
    m_impl->latin = makeLatinEngine(setup.latinEngine);
    if (m_impl->latin) {
        Impl *impl = m_impl.get();
        QObject::connect(m_impl->latin.get(), &QTextToSpeech::stateChanged, m_impl->latin.get(),
                         [impl](QTextToSpeech::State state) {
                             if (state == QTextToSpeech::Error)
                                 impl->latinBroken = true;
                         });
    }
}

CQtSpeechEngine::~CQtSpeechEngine() = default;

bool CQtSpeechEngine::latinAvailable() const
{
    return m_impl->latin && !m_impl->latinBroken;
}

bool CQtSpeechEngine::japaneseAvailable() const
{
    return m_impl->jtalk.isAvailable();
}

bool CQtSpeechEngine::isAvailable() const
{
    return latinAvailable() || japaneseAvailable();
}

void CQtSpeechEngine::setRate(double rate)
{
    rate = std::clamp(rate, -1.0, 1.0);
    if (m_impl->latin)
        m_impl->latin->setRate(rate);
    m_impl->jtalk.setSpeed(std::pow(2.0, rate));
}

void CQtSpeechEngine::setVolume(double volume)
{
    volume = std::clamp(volume, 0.0, 1.0);
    if (m_impl->latin)
        m_impl->latin->setVolume(volume);
    m_impl->jtalk.setVolume(volume);
}

void CQtSpeechEngine::say(const std::string &text)
{
    stop();
    const QString spoken = qtext(text).simplified(); // one utterance, even over line ends
    if (spoken.isEmpty())
        return;
    if (isJapaneseText(spoken)) {
        if (japaneseAvailable())
            m_impl->jtalk.say(spoken);
    } else if (latinAvailable()) {
        m_impl->latin->say(spoken);
    }
}

void CQtSpeechEngine::stop()
{
    if (m_impl->latin && m_impl->latin->state() == QTextToSpeech::Speaking)
        m_impl->latin->stop();
    m_impl->jtalk.stop();
}

} // namespace kvr::ui
