#include "drill/pronunciation.h"

#include <algorithm>

#include "app/kvrsettings.h"
#include "db/question.h"
#include "drill/answerjudge.h"
#include "platform/environment.h"

namespace kvr {

namespace {

constexpr unsigned modeBit(DrillMode mode)
{
    return 1u << static_cast<int>(mode);
}

constexpr unsigned kAllModes = 0x1F;
constexpr unsigned kTypedModes = modeBit(DrillMode::JapaneseToEnglishTyped)
    | modeBit(DrillMode::SpeedReply) | modeBit(DrillMode::EnglishToJapaneseTyped);

// Which switches an occasion needs and how its text is prepared.
struct OccasionRule
{
    bool needsEngine;
    bool CKvrSettings::*voiceSwitch; // besides UseVoice; null for none
    unsigned modes;
    bool slashesToBlanks;
};

OccasionRule ruleFor(VoiceOccasion occasion)
{
    switch (occasion) {
    case VoiceOccasion::QuestionShown:
        return { false, &CKvrSettings::UseEJ4Voice,
                 modeBit(DrillMode::EnglishToJapaneseChoice)
                     | modeBit(DrillMode::EnglishToJapaneseTyped),
                 true };
    case VoiceOccasion::ExpectedAnswerShown:
        return { true, &CKvrSettings::UseJEVoice,
                 kTypedModes & ~modeBit(DrillMode::EnglishToJapaneseTyped), false };
    case VoiceOccasion::AnswerStepShown:
        return { true, &CKvrSettings::UseJEVoice, kTypedModes, false };
    case VoiceOccasion::ChoiceRevealed:
        return { true, &CKvrSettings::UseJEVoice2, modeBit(DrillMode::JapaneseToEnglishChoice),
                 true };
    case VoiceOccasion::ReentryAccepted:
        return { true, &CKvrSettings::UseJEVoice2,
                 kAllModes & ~modeBit(DrillMode::EnglishToJapaneseTyped), false };
    case VoiceOccasion::OnRequest:
        return { false, nullptr, kAllModes, true };
    }
    return { true, nullptr, 0, false };
}

} // namespace

double speechRate(int voiceRate)
{
    return std::clamp(voiceRate, -10, 10) / 10.0;
}

double speechVolume(int voiceVolume)
{
    return std::clamp(voiceVolume, 0, 100) / 100.0;
}

std::string slashesToBlanks(std::string_view text)
{
    // "/" (0x2F) is below every CP932 trail byte, so a byte-wise replace is safe.
    std::string result(text);
    std::replace(result.begin(), result.end(), '/', ' ');
    return result;
}

std::string requestedSpeechText(DrillMode mode, const CQuestion &question, int answerTurn,
                                std::string_view shownQuestion, std::string_view correctChoice)
{
    switch (mode) {
    case DrillMode::JapaneseToEnglishTyped: {
        // The accepted answers in turn, the same list F2 cycles through.
        const CAnswerList answers = CAnswerList::forQuestion(mode, question);
        const int count = answers.size();
        if (count == 0)
            return {};
        return answers.text(((answerTurn % count) + count) % count);
    }
    case DrillMode::EnglishToJapaneseChoice:
    case DrillMode::EnglishToJapaneseTyped:
        return std::string(shownQuestion);
    case DrillMode::JapaneseToEnglishChoice:
        return std::string(correctChoice);
    case DrillMode::SpeedReply:
        break;
    }
    return {};
}

CPronunciation::CPronunciation(ISpeechEngine *speech, ISoundPlayer &sound,
                               const CKvrSettings &settings)
    : m_speech(speech)
    , m_sound(sound)
    , m_settings(settings)
{
}

bool CPronunciation::speechAvailable() const
{
    return m_speech && m_speech->isAvailable();
}

void CPronunciation::applyVoiceSettings()
{
    setRate(m_settings.VoiceRate);
    setVolume(m_settings.VoiceVolume);
}

void CPronunciation::setRate(int voiceRate)
{
    if (speechAvailable())
        m_speech->setRate(speechRate(voiceRate));
}

void CPronunciation::setVolume(int voiceVolume)
{
    if (speechAvailable())
        m_speech->setVolume(speechVolume(voiceVolume));
}

void CPronunciation::speakText(std::string_view text)
{
    if (speechAvailable())
        m_speech->say(std::string(text));
}

void CPronunciation::stopSpeech()
{
    if (speechAvailable())
        m_speech->stop();
}

std::string CPronunciation::questionWavPath(const CQuestion &question) const
{
    if (question.wavFile.empty())
        return {};
    return env::joinPath(m_settings.Wavefiledir, question.wavFile);
}

bool CPronunciation::playQuestionWav(const CQuestion &question)
{
    const std::string path = questionWavPath(question);
    if (path.empty())
        return false;
    m_sound.play(path);
    return true;
}

void CPronunciation::playEffect(Effect effect)
{
    const std::string &path =
        effect == Effect::Correct ? m_settings.CorrectSoundfile : m_settings.IncorrectSoundfile;
    if (!path.empty())
        m_sound.play(path);
}

void CPronunciation::stopSound()
{
    m_sound.stop();
}

bool CPronunciation::pronounce(VoiceOccasion occasion, DrillMode mode, const CQuestion &question,
                               std::string_view text)
{
    const OccasionRule rule = ruleFor(occasion);
    if (!m_settings.UseVoice || !(rule.modes & modeBit(mode)))
        return false;
    if (rule.voiceSwitch && !(m_settings.*rule.voiceSwitch))
        return false;
    if (rule.needsEngine && !speechAvailable())
        return false;
    if (m_settings.UseWavvoice)
        return playQuestionWav(question);
    if (!speechAvailable())
        return false;
    speakText(rule.slashesToBlanks ? slashesToBlanks(text) : std::string(text));
    return true;
}

void CPronunciation::pronounceQuestions(const std::vector<CQuestion> &questions)
{
    if (!speechAvailable() || questions.empty())
        return;
    if (m_settings.UseWavvoice) {
        playQuestionWav(questions.front());
        return;
    }
    // One request: the first text replaces what was playing, the others follow it in turn.
    bool first = true;
    for (const CQuestion &question : questions) {
        std::string text;
        const int count = question.answerCount();
        for (int i = 0; i < count; ++i) {
            text += question.answers[static_cast<std::size_t>(i)];
            text += ' ';
        }
        if (first)
            m_speech->say(text);
        else
            m_speech->sayAfter(text);
        first = false;
    }
}

} // namespace kvr
