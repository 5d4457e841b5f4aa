#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "history/drillmode.h"
#include "platform/sound.h"

namespace kvr {

struct CKvrSettings;
struct CQuestion;

enum class Effect { Correct, Incorrect };

// The moments at which the drill window pronounces something. Each has its own switches
// (see pronounce()).
enum class VoiceOccasion {
    QuestionShown, // a question is shown in 英和４択 or 英和入力
    ExpectedAnswerShown, // the expected answer is shown after a wrong typed answer
    AnswerStepShown, // an accepted answer is displayed in the steps after a correct answer
    ChoiceRevealed, // 和英４択: the correct choice after a wrong pick, the pick after a right one
    ReentryAccepted, // a correct re-entry in the correction step
    OnRequest, // the learner asked for it (F8)
};

// VoiceRate -10…10 → [-1, 1] and VoiceVolume 0…100 → [0, 1], clamped.
double speechRate(int voiceRate);
double speechVolume(int voiceVolume);

// Every "/" replaced by a blank (the separator of several texts on one shown line).
std::string slashesToBlanks(std::string_view text);

// What F8 speaks in the speech case, before the slash replacement:
//   和英入力: answer number answerTurn (0-based, wrapping over the non-empty answers);
//   英和４択, 英和入力: shownQuestion (the question band's text, its lines joined by a blank);
//   和英４択: correctChoice; SpeedReply: the empty text.
std::string requestedSpeechText(DrillMode mode, const CQuestion &question, int answerTurn,
                                std::string_view shownQuestion, std::string_view correctChoice);

// Pronunciation and effect sounds of the study program. Owned by the application object;
// it reads the settings record at every call, so changes applied by the options sheet take
// effect at once. speech may be null (no engine).
class CPronunciation
{
public:
    CPronunciation(ISpeechEngine *speech, ISoundPlayer &sound, const CKvrSettings &settings);

    bool speechAvailable() const;

    // Passes VoiceRate and VoiceVolume from the settings to the engine (at start).
    void applyVoiceSettings();
    // The options sheet's sliders: passed to the engine, not stored.
    void setRate(int voiceRate);
    void setVolume(int voiceVolume);

    // Speaks when the engine is available; otherwise nothing.
    void speakText(std::string_view text);
    void stopSpeech();
    // Plays Wavefiledir + the question's wavFile; false (and nothing played) when the
    // question has no wavFile.
    bool playQuestionWav(const CQuestion &question);
    // Plays CorrectSoundfile or IncorrectSoundfile; an empty setting plays nothing.
    void playEffect(Effect effect);
    void stopSound();

    // The path playQuestionWav plays (empty when the question has no wavFile).
    std::string questionWavPath(const CQuestion &question) const;

    // The drill window's pronouncing occasions. Checks the occasion's switches (UseVoice,
    // UseEJ4Voice / UseJEVoice / UseJEVoice2, the mode, the engine where required), then
    // plays the question's WAV file when UseWavvoice is set, else speaks text (with "/"
    // turned into blanks where that occasion does it). Returns true when something was
    // started.
    //   QuestionShown:       UseVoice, UseEJ4Voice; modes 英和４択, 英和入力; "/" → " ".
    //   ExpectedAnswerShown: engine, UseVoice, UseJEVoice; typed modes but 英和入力.
    //   AnswerStepShown:     engine, UseVoice, UseJEVoice; typed modes.
    //   ChoiceRevealed:      engine, UseVoice, UseJEVoice2; mode 和英４択; "/" → " ".
    //   ReentryAccepted:     engine, UseVoice, UseJEVoice2; every mode but 英和入力.
    //   OnRequest:           UseVoice; text from requestedSpeechText(); "/" → " ".
    bool pronounce(VoiceOccasion occasion, DrillMode mode, const CQuestion &question,
                   std::string_view text);

    // "発音(&S)" of the per-question history popup: needs the engine only. With
    // UseWavvoice the first question's file; otherwise, per question in order, its
    // non-empty answers each followed by one blank, spoken one after another.
    void pronounceQuestions(const std::vector<CQuestion> &questions);

private:
    ISpeechEngine *m_speech;
    ISoundPlayer &m_sound;
    const CKvrSettings &m_settings;
};

} // namespace kvr
