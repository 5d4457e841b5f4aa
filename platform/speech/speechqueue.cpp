#include "platform/speech/speechqueue.h"

namespace kvr::speech {

CSpeechQueue::CSpeechQueue(ISynthesisRunner &runner, ISpeechOutput &output)
    : m_runner(runner)
    , m_output(output)
{
}

bool CSpeechQueue::say(std::string_view cp932, Queueing queueing)
{
    if (queueing == Queueing::Replace)
        stop();
    Utterance utterance;
    utterance.text = spokenText(cp932);
    utterance.voice = voiceFor(utterance.text);
    utterance.options = synthesisOptions(m_rate, m_volume);
    const bool hasVoice = utterance.voice == Voice::Japanese ? m_voices.japanese : m_voices.latin;
    if (utterance.text.empty() || !hasVoice || utterance.options.silent)
        return false;
    utterance.id = m_nextId++;
    m_entries.push_back(Entry { utterance.id, false, {} });
    m_runner.start(utterance);
    return true;
}

void CSpeechQueue::stop()
{
    if (m_playing)
        m_output.stop();
    m_playing = false;
    for (const Entry &entry : m_entries) {
        if (!entry.wav.empty())
            m_runner.discard(entry.wav);
    }
    m_entries.clear();
    m_firstWanted = m_nextId;
}

void CSpeechQueue::synthesised(std::uint64_t id, const std::string &wavPath)
{
    for (Entry &entry : m_entries) {
        if (entry.id == id) {
            entry.done = true;
            entry.wav = wavPath;
            playNext();
            return;
        }
    }
    if (!wavPath.empty())
        m_runner.discard(wavPath); // dropped while it was being synthesised
}

void CSpeechQueue::playbackEnded()
{
    if (!m_playing)
        return;
    m_playing = false;
    m_runner.discard(m_entries.front().wav);
    m_entries.pop_front();
    playNext();
}

void CSpeechQueue::playNext()
{
    while (!m_playing && !m_entries.empty() && m_entries.front().done) {
        if (m_entries.front().wav.empty()) {
            m_entries.pop_front(); // its synthesis failed: go on with the next
            continue;
        }
        m_playing = true;
        m_output.play(m_entries.front().wav);
    }
}

} // namespace kvr::speech
