#pragma once

#include <memory>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>

class QProcess;

namespace kvr::ui {

class CQtSoundPlayer;
struct SpeechSetup;

// Japanese speech: open_jtalk turns the text into a WAV file in a temporary folder, which
// then plays on the sound player's speech channel. Synthesis runs as a separate process,
// so the UI thread never waits for it; a new text kills the synthesis still running.
class CJTalk
{
public:
    CJTalk(CQtSoundPlayer &player, const SpeechSetup &setup);
    ~CJTalk();
    CJTalk(const CJTalk &) = delete;
    CJTalk &operator=(const CJTalk &) = delete;

    // The program, its dictionary and a voice were found.
    bool isAvailable() const { return m_available; }
    void setSpeed(double speed) { m_speed = speed; } // 1 = normal, 0.5 … 2
    void setVolume(double volume);
    void say(const QString &text);
    void stop();

private:
    void abandonRunning();

    CQtSoundPlayer &m_player;
    QString m_program;
    QString m_dictionary;
    QString m_voice;
    bool m_available = false;
    double m_speed = 1.0;
    int m_serial = 0;
    std::unique_ptr<QTemporaryDir> m_folder;
    QObject m_processes; // owns every synthesis process, also those being killed
    QPointer<QProcess> m_running;
};

} // namespace kvr::ui
