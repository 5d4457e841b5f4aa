#include "platform/ui/jtalk.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include "platform/ui/qtsound.h"
#include "platform/ui/qtspeech.h"

namespace kvr::ui {

namespace {

constexpr int kMaxSynthesisMs = 20000; // a hung synthesis is killed after this
const QString kPreferredVoice = QStringLiteral("nitech_jp_atr503_m001.htsvoice");

QString findProgram(const QString &program)
{
    if (program.contains(QLatin1Char('/')))
        return QFileInfo(program).isExecutable() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

QString findVoice(const QString &folder)
{
    QStringList voices;
    QDirIterator it(folder, { QStringLiteral("*.htsvoice") }, QDir::Files,
                    QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext())
        voices << it.next();
    voices.sort();
    for (const QString &voice : voices) {
        if (QFileInfo(voice).fileName() == kPreferredVoice)
            return voice;
    }
    return voices.value(0);
}

} // namespace

CJTalk::CJTalk(CQtSoundPlayer &player, const SpeechSetup &setup)
    : m_player(player)
    , m_program(findProgram(setup.jtalkProgram))
    , m_dictionary(setup.jtalkDictionary)
{
    if (m_program.isEmpty() || !QFileInfo(m_dictionary + QStringLiteral("/sys.dic")).isFile())
        return;
    m_voice = findVoice(setup.voiceFolder);
    if (m_voice.isEmpty())
        return;
    m_folder = std::make_unique<QTemporaryDir>();
    m_available = m_folder->isValid();
}

CJTalk::~CJTalk()
{
    // Killed processes are reaped as their objects go; none may call back any more.
    for (QProcess *process : m_processes.findChildren<QProcess *>()) {
        process->disconnect();
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(500); // reaping a killed process takes no time
        }
    }
}

void CJTalk::setVolume(double volume)
{
    m_player.setSpeechVolume(volume);
}

void CJTalk::say(const QString &text)
{
    stop();
    if (!m_available)
        return;
    // Two files in turn: the player may still hold the previous one.
    const QString file = m_folder->filePath(QStringLiteral("speech-%1.wav").arg(m_serial++ % 2));
    QFile::remove(file);
    auto *process = new QProcess(&m_processes);
    m_running = process;
    QObject::connect(process, &QProcess::finished, process,
                     [this, process, file](int code, QProcess::ExitStatus status) {
                         if (m_running == process)
                             m_running = nullptr;
                         process->deleteLater();
                         if (status == QProcess::NormalExit && code == 0
                             && QFileInfo(file).size() > 0)
                             m_player.playNativeFile(QFile::encodeName(file).toStdString());
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             process->deleteLater(); // no finished() follows
                     });
    QTimer::singleShot(kMaxSynthesisMs, process, [process] { process->kill(); });
    process->start(m_program,
                   { QStringLiteral("-x"), m_dictionary, QStringLiteral("-m"), m_voice,
                     QStringLiteral("-r"), QString::number(m_speed, 'f', 3), QStringLiteral("-ow"),
                     file });
    process->write(text.toUtf8() + '\n'); // open_jtalk reads UTF-8 only
    process->closeWriteChannel();
}

void CJTalk::stop()
{
    abandonRunning();
    m_player.stopNativeFile();
}

void CJTalk::abandonRunning()
{
    QProcess *process = m_running;
    m_running = nullptr;
    if (!process)
        return;
    process->disconnect(); // its result is no longer wanted
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->kill();
}

} // namespace kvr::ui
