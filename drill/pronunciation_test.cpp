#include <functional>
#include <gtest/gtest.h>

#include "app/kvrsettings.h"
#include "db/question.h"
#include "drill/pronunciation.h"
#include "drill/testsupport_services.h"
#include "platform/cp932.h"

namespace kvr {
namespace {

using Calls = std::vector<std::string>;
using test::RecordingServices;

constexpr DrillMode kJE = DrillMode::JapaneseToEnglishTyped;
constexpr DrillMode kSpeed = DrillMode::SpeedReply;
constexpr DrillMode kEJ4 = DrillMode::EnglishToJapaneseChoice;
constexpr DrillMode kEJ = DrillMode::EnglishToJapaneseTyped;
constexpr DrillMode kJE4 = DrillMode::JapaneseToEnglishChoice;

CKvrSettings settingsForTest()
{
    CKvrSettings settings;
    settings.Wavefiledir = "/data/wavvoice";
    settings.CorrectSoundfile = "/data/Correct.wav";
    settings.IncorrectSoundfile = "/data/Incorrect.wav";
    return settings;
}

CQuestion questionWith(std::string wavFile)
{
    CQuestion question;
    question.questionLines = { "Q1", "Q2" };
    question.answers = { "red", "blue", "green", "", "" };
    question.wavFile = std::move(wavFile);
    return question;
}

TEST(Pronunciation, RateAndVolumeMapToTheEngineRange)
{
    const struct
    {
        int stored;
        double rate, volume;
    } rows[] = { { -10, -1.0, 0.0 }, { -5, -0.5, 0.0 }, { 0, 0.0, 0.0 },    { 10, 1.0, 0.1 },
                 { 50, 1.0, 0.5 },   { 100, 1.0, 1.0 }, { -20, -1.0, 0.0 }, { 150, 1.0, 1.0 } };
    for (const auto &row : rows) {
        EXPECT_DOUBLE_EQ(speechRate(row.stored), row.rate) << row.stored;
        EXPECT_DOUBLE_EQ(speechVolume(row.stored), row.volume) << row.stored;
    }
}

TEST(Pronunciation, VoiceSettingsReachOnlyAnAvailableEngine)
{
    CKvrSettings settings = settingsForTest();
    settings.VoiceRate = 5;
    settings.VoiceVolume = 80;
    RecordingServices services(settings);
    services.pronunciation.applyVoiceSettings();
    services.pronunciation.setRate(-3);
    EXPECT_EQ(services.take(), (Calls { "rate 0.50", "volume 0.80", "rate -0.30" }));
    EXPECT_EQ(settings.VoiceRate, 5);

    services.speech.available = false;
    services.pronunciation.applyVoiceSettings();
    services.pronunciation.speakText("hello");
    services.pronunciation.stopSpeech();
    EXPECT_TRUE(services.take().empty());
}

TEST(Pronunciation, WithoutAnEngineSpeechIsSkippedAndSoundsStillPlay)
{
    CKvrSettings settings = settingsForTest();
    settings.UseWavvoice = true;
    test::CRecordingSoundPlayer sound;
    CPronunciation voice(nullptr, sound, settings);
    EXPECT_FALSE(voice.speechAvailable());
    voice.speakText("hello");
    voice.applyVoiceSettings();
    voice.playEffect(Effect::Correct);
    EXPECT_TRUE(voice.pronounce(VoiceOccasion::QuestionShown, kEJ4, questionWith("a.wav"), "x"));
    EXPECT_FALSE(voice.pronounce(VoiceOccasion::AnswerStepShown, kJE, questionWith("a.wav"), "x"));
    EXPECT_EQ(sound.calls, (Calls { "play /data/Correct.wav", "play /data/wavvoice/a.wav" }));
}

TEST(Pronunciation, QuestionWavAndEffectSounds)
{
    CKvrSettings settings = settingsForTest();
    RecordingServices services(settings);
    CPronunciation &voice = services.pronunciation;
    EXPECT_FALSE(voice.playQuestionWav(questionWith("")));
    EXPECT_TRUE(voice.playQuestionWav(questionWith("apple.wav")));
    voice.playEffect(Effect::Correct);
    voice.playEffect(Effect::Incorrect);
    voice.stopSound();
    EXPECT_EQ(services.take(),
              (Calls { "play /data/wavvoice/apple.wav", "play /data/Correct.wav",
                       "play /data/Incorrect.wav", "stop sound" }));

    settings.CorrectSoundfile.clear();
    settings.IncorrectSoundfile.clear();
    voice.playEffect(Effect::Correct);
    voice.playEffect(Effect::Incorrect);
    EXPECT_TRUE(services.take().empty());
}

// One occasion under one configuration and what the services were asked to do.
struct OccasionRow
{
    VoiceOccasion occasion;
    DrillMode mode;
    std::function<void(CKvrSettings &)> configure;
    bool engine;
    std::string wavFile;
    Calls calls;
};

TEST(Pronunciation, EachOccasionChecksItsOwnSwitches)
{
    const auto none = [](CKvrSettings &) {};
    const auto wav = [](CKvrSettings &s) { s.UseWavvoice = true; };
    const auto noVoice = [](CKvrSettings &s) { s.UseVoice = false; };
    const auto noEJ4 = [](CKvrSettings &s) { s.UseEJ4Voice = false; };
    const auto noJE = [](CKvrSettings &s) { s.UseJEVoice = false; };
    const auto noJE2 = [](CKvrSettings &s) { s.UseJEVoice2 = false; };
    using O = VoiceOccasion;
    const Calls spoken { "say a b" };
    const Calls kept { "say a/b" };
    const Calls played { "play /data/wavvoice/q.wav" };
    const OccasionRow rows[] = {
        { O::QuestionShown, kEJ4, none, true, "q.wav", spoken },
        { O::QuestionShown, kEJ, none, true, "q.wav", spoken },
        { O::QuestionShown, kJE, none, true, "q.wav", {} },
        { O::QuestionShown, kJE4, none, true, "q.wav", {} },
        { O::QuestionShown, kEJ4, noEJ4, true, "q.wav", {} },
        { O::QuestionShown, kEJ4, noVoice, true, "q.wav", {} },
        { O::QuestionShown, kEJ4, wav, true, "q.wav", played },
        { O::QuestionShown, kEJ4, wav, false, "q.wav", played },
        { O::QuestionShown, kEJ4, wav, true, "", {} },
        { O::QuestionShown, kEJ4, none, false, "q.wav", {} },
        { O::ExpectedAnswerShown, kJE, none, true, "q.wav", kept },
        { O::ExpectedAnswerShown, kSpeed, none, true, "q.wav", kept },
        { O::ExpectedAnswerShown, kEJ, none, true, "q.wav", {} },
        { O::ExpectedAnswerShown, kJE, noJE, true, "q.wav", {} },
        { O::ExpectedAnswerShown, kJE, wav, true, "q.wav", played },
        { O::ExpectedAnswerShown, kJE, wav, false, "q.wav", {} },
        { O::AnswerStepShown, kJE, none, true, "q.wav", kept },
        { O::AnswerStepShown, kEJ, none, true, "q.wav", kept },
        { O::AnswerStepShown, kJE4, none, true, "q.wav", {} },
        { O::AnswerStepShown, kJE, noJE, true, "q.wav", {} },
        { O::AnswerStepShown, kJE, noJE2, true, "q.wav", kept },
        { O::ChoiceRevealed, kJE4, none, true, "q.wav", spoken },
        { O::ChoiceRevealed, kEJ4, none, true, "q.wav", {} },
        { O::ChoiceRevealed, kJE4, noJE2, true, "q.wav", {} },
        { O::ChoiceRevealed, kJE4, noJE, true, "q.wav", spoken },
        { O::ChoiceRevealed, kJE4, wav, true, "q.wav", played },
        { O::ChoiceRevealed, kJE4, wav, false, "q.wav", {} },
        { O::ReentryAccepted, kJE, none, true, "q.wav", kept },
        { O::ReentryAccepted, kEJ, none, true, "q.wav", {} },
        { O::ReentryAccepted, kJE, noJE2, true, "q.wav", {} },
        { O::ReentryAccepted, kJE, noVoice, true, "q.wav", {} },
        { O::OnRequest, kJE, none, true, "q.wav", spoken },
        { O::OnRequest, kJE4, none, true, "q.wav", spoken },
        { O::OnRequest, kEJ, noJE, true, "q.wav", spoken },
        { O::OnRequest, kEJ, noVoice, true, "q.wav", {} },
        { O::OnRequest, kEJ, wav, false, "q.wav", played },
    };
    int index = 0;
    for (const OccasionRow &row : rows) {
        CKvrSettings settings = settingsForTest();
        row.configure(settings);
        RecordingServices services(settings);
        services.speech.available = row.engine;
        const bool started = services.pronunciation.pronounce(row.occasion, row.mode,
                                                              questionWith(row.wavFile), "a/b");
        EXPECT_EQ(services.calls, row.calls) << "row " << index;
        EXPECT_EQ(started, !row.calls.empty()) << "row " << index;
        ++index;
    }
}

TEST(Pronunciation, RequestedTextByMode)
{
    const CQuestion question = questionWith("");
    const struct
    {
        DrillMode mode;
        int turn;
        std::string text;
    } rows[] = { { kJE, 0, "red" },       { kJE, 2, "green" },    { kJE, 3, "red" },
                 { kJE, -1, "green" },    { kEJ4, 0, "shown/q" }, { kEJ, 5, "shown/q" },
                 { kJE4, 0, "choice/c" }, { kSpeed, 0, "" } };
    for (const auto &row : rows)
        EXPECT_EQ(requestedSpeechText(row.mode, question, row.turn, "shown/q", "choice/c"),
                  row.text);
    EXPECT_EQ(requestedSpeechText(kJE, CQuestion(), 0, "", ""), "");
}

TEST(Pronunciation, SlashesBecomeBlanksAndDoubleByteTextStays)
{
    EXPECT_EQ(slashesToBlanks("red/blue//x"), "red blue  x");
    EXPECT_EQ(slashesToBlanks(cp932::text("表/ソ")), cp932::text("表 ソ"));
}

TEST(Pronunciation, HistoryPopupSpeaksTheAnswersOfEachQuestion)
{
    CKvrSettings settings = settingsForTest();
    settings.UseVoice = false; // the popup does not look at the drill switches
    RecordingServices services(settings);
    CQuestion second = questionWith("b.wav");
    second.answers = { "x", "", "", "", "" };
    services.pronunciation.pronounceQuestions({ questionWith("a.wav"), second });
    EXPECT_EQ(services.take(), (Calls { "say red blue green ", "say after x " }));

    settings.UseWavvoice = true;
    services.pronunciation.pronounceQuestions({ questionWith("a.wav"), second });
    EXPECT_EQ(services.take(), (Calls { "play /data/wavvoice/a.wav" }));

    services.speech.available = false;
    services.pronunciation.pronounceQuestions({ questionWith("a.wav") });
    EXPECT_TRUE(services.take().empty());
}

} // namespace
} // namespace kvr
