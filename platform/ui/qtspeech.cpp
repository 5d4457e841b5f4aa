#include "platform/ui/qtspeech.h"

#include <atomic>
#include <future>
#include <optional>

#include <QDir>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include "platform/speech/speechqueue.h"
#include "platform/speech/wavlevel.h"
#include "platform/ui/qtsound.h"

namespace kvr::ui {

using namespace kvr::speech;

namespace {

// A player that never reports the end of a file must not hold the queue for ever.
constexpr int kEndMarginMs = 2000;

} // namespace

struct CQtSpeechEngine::Impl final : ISynthesisRunner, ISpeechOutput
{
    Impl(CQtSoundPlayer &player, const SpeechSetup &setup)
        : player(player)
        , synthesiser(setup)
        , folderPath(QFile::encodeName(folder.path()).toStdString())
    {
        pool.setMaxThreadCount(1); // one synthesis at a time, in the order asked
        pool.setExpiryTimeout(-1);
        auto promise = std::make_shared<std::promise<ProbeResult>>();
        probe = promise->get_future();
        pool.start([this, promise] {
            promise->set_value(folder.isValid() ? synthesiser.probe(folderPath) : ProbeResult {});
        });
        // The player reports from inside its own signal: act on it afterwards, and only if
        // the file that ended is still the one playing.
        player.setSpeechEndHandler([this] {
            QMetaObject::invokeMethod(
                &receiver, [this, serial = playSerial] { ended(serial); }, Qt::QueuedConnection);
        });
        endGuard.setSingleShot(true);
        QObject::connect(&endGuard, &QTimer::timeout, &receiver, [this] { ended(playSerial); });
    }

    ~Impl() override
    {
        player.setSpeechEndHandler({});
        pool.clear();
        pool.waitForDone();
    }

    ProbeResult voices()
    {
        if (!known) {
            known = probe.get();
            queue.setVoices(*known);
        }
        return *known;
    }

    void start(const Utterance &utterance) override
    {
        const std::string wav = folderPath + "/speech-" + std::to_string(utterance.id) + ".wav";
        pool.start([this, utterance, wav] {
            const bool wanted = utterance.id >= firstWanted.load();
            const bool made = wanted
                && synthesiser.synthesise(utterance.voice, utterance.text, utterance.options, wav);
            QMetaObject::invokeMethod(
                &receiver,
                [this, id = utterance.id, result = made ? wav : std::string()] {
                    queue.synthesised(id, result);
                    firstWanted = queue.firstWanted();
                },
                Qt::QueuedConnection);
        });
    }

    void discard(const std::string &wavPath) override
    {
        QFile::remove(QFile::decodeName(wavPath.c_str()));
    }

    void play(const std::string &wavPath) override
    {
        ++playSerial;
        const std::optional<WavLevel> level = measureWav(wavPath);
        endGuard.start((level ? level->durationMs : 0) + kEndMarginMs);
        player.playNativeFile(wavPath);
    }

    void stop() override
    {
        ++playSerial;
        endGuard.stop();
        player.stopNativeFile();
    }

    void ended(int serial)
    {
        if (serial != playSerial)
            return;
        endGuard.stop();
        queue.playbackEnded();
    }

    void say(const std::string &text, Queueing queueing)
    {
        voices();
        queue.say(text, queueing);
        firstWanted = queue.firstWanted();
    }

    CQtSoundPlayer &player;
    CSynthesiser synthesiser; // used on the pool's thread only
    QTemporaryDir folder;
    std::string folderPath;
    QObject receiver; // synthesis results arrive on the UI thread through it
    QTimer endGuard;
    int playSerial = 0; // tells the end of the file playing from ends reported late
    CSpeechQueue queue { *this, *this };
    std::atomic<std::uint64_t> firstWanted { 1 };
    std::future<ProbeResult> probe;
    std::optional<ProbeResult> known;
    QThreadPool pool; // last: destroyed first, after its jobs ended
};

CQtSpeechEngine::CQtSpeechEngine(CQtSoundPlayer &player, const SpeechSetup &setup)
    : m_impl(std::make_unique<Impl>(player, setup))
{
}

CQtSpeechEngine::~CQtSpeechEngine() = default;

bool CQtSpeechEngine::latinAvailable() const
{
    return m_impl->voices().latin;
}

bool CQtSpeechEngine::japaneseAvailable() const
{
    return m_impl->voices().japanese;
}

bool CQtSpeechEngine::isAvailable() const
{
    return latinAvailable() || japaneseAvailable();
}

void CQtSpeechEngine::setRate(double rate)
{
    m_impl->queue.setRate(rate);
}

void CQtSpeechEngine::setVolume(double volume)
{
    m_impl->queue.setVolume(volume);
}

void CQtSpeechEngine::say(const std::string &text)
{
    m_impl->say(text, Queueing::Replace);
}

void CQtSpeechEngine::sayAfter(const std::string &text)
{
    m_impl->say(text, Queueing::Append);
}

void CQtSpeechEngine::stop()
{
    m_impl->queue.stop();
    m_impl->firstWanted = m_impl->queue.firstWanted();
}

} // namespace kvr::ui
