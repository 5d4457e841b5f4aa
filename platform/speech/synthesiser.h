#pragma once

#include <memory>
#include <string>

#include "platform/speech/speechtext.h"

namespace kvr::speech {

// Where the Japanese synthesiser is looked for; tests point these at stand-ins.
struct SpeechSetup
{
    std::string jtalkProgram = "open_jtalk"; // a name on PATH or a path
    std::string jtalkDictionary = "/var/lib/mecab/dic/open-jtalk/naist-jdic";
    std::string voiceFolder = "/usr/share/hts-voice"; // searched for *.htsvoice
};

// Which voices turned a short probe text into a WAV that can be heard.
struct ProbeResult
{
    bool latin = false;
    bool japanese = false;
};

// Writes speech as WAV files: Latin text with flite (the library, in this process),
// Japanese text with open_jtalk (a child process reading UTF-8). Every call blocks until
// the file is written: run it off the UI thread, one call at a time.
class CSynthesiser
{
public:
    explicit CSynthesiser(const SpeechSetup &setup = {});
    ~CSynthesiser();
    CSynthesiser(const CSynthesiser &) = delete;
    CSynthesiser &operator=(const CSynthesiser &) = delete;

    // open_jtalk, its dictionary and a voice were found.
    bool hasJapanese() const { return !m_htsVoice.empty(); }

    // Writes the UTF-8 text to wavPath. False when the voice is missing or nothing was
    // written.
    bool synthesise(Voice voice, const std::string &utf8, const SynthesisOptions &options,
                    const std::string &wavPath);

    // Synthesises a short text per voice into folder at normal rate and full volume, and
    // measures it.
    ProbeResult probe(const std::string &folder);

private:
    bool synthesiseLatin(const std::string &utf8, const SynthesisOptions &options,
                         const std::string &wavPath);
    bool synthesiseJapanese(const std::string &utf8, const SynthesisOptions &options,
                            const std::string &wavPath);

    struct Flite;
    std::unique_ptr<Flite> m_flite; // registered on first use
    std::string m_jtalk;
    std::string m_dictionary;
    std::string m_htsVoice;
};

} // namespace kvr::speech
