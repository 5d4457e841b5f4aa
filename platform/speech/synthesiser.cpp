#include "platform/speech/synthesiser.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <flite/flite.h>
#include <system_error>
#include <vector>

#include "platform/speech/childprocess.h"
#include "platform/speech/wavlevel.h"

extern "C" {
cst_voice *register_cmu_us_kal(const char *voxdir);
void unregister_cmu_us_kal(cst_voice *voice);
}

namespace kvr::speech {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxSynthesisMs = 20000; // a hung open_jtalk is killed after this
constexpr const char *kPreferredVoice = "nitech_jp_atr503_m001.htsvoice";
constexpr const char *kLatinProbe = "Kelvora";
constexpr const char *kJapaneseProbe = "テスト";

std::string findHtsVoice(const std::string &folder)
{
    std::vector<std::string> voices;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, fs::directory_options::follow_directory_symlink,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->path().extension() == ".htsvoice" && it->is_regular_file(error))
            voices.push_back(it->path().string());
    }
    std::sort(voices.begin(), voices.end());
    for (const std::string &voice : voices) {
        if (fs::path(voice).filename() == kPreferredVoice)
            return voice;
    }
    return voices.empty() ? std::string() : voices.front();
}

bool writtenFile(const std::string &path)
{
    std::error_code error;
    return fs::file_size(path, error) > 44 && !error; // more than a bare WAV header
}

} // namespace

struct CSynthesiser::Flite
{
    Flite()
    {
        flite_init();
        voice = register_cmu_us_kal(nullptr);
    }
    ~Flite()
    {
        if (voice)
            unregister_cmu_us_kal(voice);
    }
    Flite(const Flite &) = delete;
    Flite &operator=(const Flite &) = delete;

    cst_voice *voice = nullptr;
};

CSynthesiser::CSynthesiser(const SpeechSetup &setup)
    : m_jtalk(findProgram(setup.jtalkProgram))
    , m_dictionary(setup.jtalkDictionary)
{
    std::error_code error;
    if (!m_jtalk.empty() && fs::is_regular_file(m_dictionary + "/sys.dic", error))
        m_htsVoice = findHtsVoice(setup.voiceFolder);
}

CSynthesiser::~CSynthesiser() = default;

bool CSynthesiser::synthesise(Voice voice, const std::string &utf8, const SynthesisOptions &options,
                              const std::string &wavPath)
{
    std::remove(wavPath.c_str());
    if (utf8.empty() || options.silent)
        return false;
    return voice == Voice::Japanese ? synthesiseJapanese(utf8, options, wavPath)
                                    : synthesiseLatin(utf8, options, wavPath);
}

bool CSynthesiser::synthesiseLatin(const std::string &utf8, const SynthesisOptions &options,
                                   const std::string &wavPath)
{
    if (!m_flite)
        m_flite = std::make_unique<Flite>();
    if (!m_flite->voice)
        return false;
    feat_set_float(m_flite->voice->features, "duration_stretch",
                   static_cast<float>(options.durationStretch));
    cst_wave *wave = flite_text_to_wave(utf8.c_str(), m_flite->voice);
    if (!wave)
        return false;
    if (options.fliteScale != 65536)
        cst_wave_rescale(wave, options.fliteScale);
    const bool saved = cst_wave_save_riff(wave, wavPath.c_str()) == CST_OK_FORMAT;
    delete_wave(wave);
    return saved && writtenFile(wavPath);
}

bool CSynthesiser::synthesiseJapanese(const std::string &utf8, const SynthesisOptions &options,
                                      const std::string &wavPath)
{
    if (!hasJapanese())
        return false;
    char speed[32];
    char gain[32];
    std::snprintf(speed, sizeof speed, "%.3f", options.speed);
    std::snprintf(gain, sizeof gain, "%.1f", options.gainDb);
    const int status = runWithInput(
        m_jtalk, { "-x", m_dictionary, "-m", m_htsVoice, "-r", speed, "-g", gain, "-ow", wavPath },
        utf8 + "\n", kMaxSynthesisMs);
    return status == 0 && writtenFile(wavPath);
}

ProbeResult CSynthesiser::probe(const std::string &folder)
{
    const SynthesisOptions normal = synthesisOptions(0.0, 1.0);
    const std::string file = folder + "/probe.wav";
    ProbeResult result;
    result.latin = synthesise(Voice::Latin, kLatinProbe, normal, file) && isAudible(file);
    result.japanese = hasJapanese() && synthesise(Voice::Japanese, kJapaneseProbe, normal, file)
        && isAudible(file);
    std::remove(file.c_str());
    return result;
}

} // namespace kvr::speech
