#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "platform/speech/speechtext.h"
#include "platform/speech/synthesiser.h"

namespace kvr::speech {

// One text to synthesise, with the options in force when it was asked for.
struct Utterance
{
    std::uint64_t id = 0;
    Voice voice = Voice::Latin;
    std::string text; // UTF-8
    SynthesisOptions options;
};

// Synthesises utterances in the order they are started, off the caller's thread, and
// reports each back through CSpeechQueue::synthesised().
class ISynthesisRunner
{
public:
    virtual ~ISynthesisRunner() = default;
    virtual void start(const Utterance &utterance) = 0;
    // A WAV file that is no longer needed (played, or its utterance dropped).
    virtual void discard(const std::string &wavPath) = 0;
};

// Plays one WAV file at a time and reports its end through CSpeechQueue::playbackEnded().
class ISpeechOutput
{
public:
    virtual ~ISpeechOutput() = default;
    virtual void play(const std::string &wavPath) = 0;
    virtual void stop() = 0;
};

enum class Queueing {
    Replace, // stops what is playing and drops what is waiting (the drill's utterances)
    Append, // plays after everything before it (several questions read in turn)
};

// The order of speech: texts are synthesised as soon as they are asked for and played
// strictly in the order asked, each after the previous one ended. A text whose
// synthesis failed is skipped. Everything runs on one thread; the runner and the output
// call back on it.
class CSpeechQueue
{
public:
    CSpeechQueue(ISynthesisRunner &runner, ISpeechOutput &output);

    void setVoices(ProbeResult voices) { m_voices = voices; }
    bool anyVoice() const { return m_voices.latin || m_voices.japanese; }
    void setRate(double rate) { m_rate = rate; } // [-1, 1]
    void setVolume(double volume) { m_volume = volume; } // [0, 1]

    // A CP932 text. False when nothing will be heard: empty text, no voice for it, or
    // volume 0 (a Replace still stops what was playing).
    bool say(std::string_view cp932, Queueing queueing);
    void stop();

    // wavPath empty: the synthesis failed.
    void synthesised(std::uint64_t id, const std::string &wavPath);
    void playbackEnded();

    // Utterances below this id are no longer wanted: a runner may skip them.
    std::uint64_t firstWanted() const { return m_firstWanted; }

private:
    struct Entry
    {
        std::uint64_t id;
        bool done = false; // synthesised (wav set) or failed (wav empty)
        std::string wav;
    };
    void playNext();

    ISynthesisRunner &m_runner;
    ISpeechOutput &m_output;
    ProbeResult m_voices;
    double m_rate = 0.0;
    double m_volume = 1.0;
    std::uint64_t m_nextId = 1;
    std::uint64_t m_firstWanted = 1;
    std::deque<Entry> m_entries; // front: playing when m_playing
    bool m_playing = false;
};

} // namespace kvr::speech
