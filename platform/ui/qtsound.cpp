#include "platform/ui/qtsound.h"

#include <map>

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

#include "platform/textfile.h"
#include "platform/wavheader.h"

namespace kvr::ui {

namespace {

QUrl urlOf(const std::string &nativePath)
{
    return QUrl::fromLocalFile(QString::fromStdString(nativePath));
}

// A media player with its output, made on first use: many runs never need one.
class CMediaChannel
{
public:
    void play(const std::string &nativePath)
    {
        if (!m_player) {
            m_output = std::make_unique<QAudioOutput>();
            m_player = std::make_unique<QMediaPlayer>();
            m_player->setAudioOutput(m_output.get());
            QObject::connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, m_player.get(),
                             [this](QMediaPlayer::MediaStatus status) {
                                 if (status == QMediaPlayer::EndOfMedia
                                     || status == QMediaPlayer::InvalidMedia)
                                     ended();
                             });
            QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred, m_player.get(),
                             [this] { ended(); });
        }
        m_player->stop();
        m_player->setSource(urlOf(nativePath));
        m_player->play();
    }
    void stop()
    {
        if (m_player)
            m_player->stop();
    }
    std::function<void()> onEnd;

private:
    void ended()
    {
        if (onEnd)
            onEnd();
    }

    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
};

} // namespace

struct CQtSoundPlayer::Impl
{
    std::map<std::string, std::unique_ptr<QSoundEffect>> effects; // by native path
    CMediaChannel files; // voice files and effects that were not preloaded
    CMediaChannel speech;

    void stopSounds()
    {
        for (auto &[path, effect] : effects)
            effect->stop();
        files.stop();
    }
};

CQtSoundPlayer::CQtSoundPlayer()
    : m_impl(std::make_unique<Impl>())
{
}

CQtSoundPlayer::~CQtSoundPlayer() = default;

void CQtSoundPlayer::preload(const std::string &path)
{
    const std::string native = nativePath(path);
    if (m_impl->effects.count(native) || !isPlayablePcmWavFile(native))
        return;
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(urlOf(native));
    m_impl->effects.emplace(native, std::move(effect));
}

bool CQtSoundPlayer::play(const std::string &path)
{
    if (path.empty())
        return false;
    const std::string native = nativePath(path);
    if (!isPlayablePcmWavFile(native))
        return false;
    m_impl->stopSounds(); // one channel; this also restarts an effect still sounding
    const auto found = m_impl->effects.find(native);
    if (found != m_impl->effects.end() && found->second->status() != QSoundEffect::Error)
        found->second->play();
    else
        m_impl->files.play(native);
    return true;
}

void CQtSoundPlayer::stop()
{
    m_impl->stopSounds();
}

void CQtSoundPlayer::playNativeFile(const std::string &nativePath)
{
    m_impl->speech.play(nativePath);
}

void CQtSoundPlayer::stopNativeFile()
{
    m_impl->speech.stop();
}

void CQtSoundPlayer::setSpeechEndHandler(std::function<void()> handler)
{
    m_impl->speech.onEnd = std::move(handler);
}

} // namespace kvr::ui
