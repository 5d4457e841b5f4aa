#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/cp932.h"
#include "platform/ui/qtsound.h"
#include "platform/ui/wavcheck.h"

using namespace kvr;
using namespace kvr::ui;

namespace {

QByteArray le16(int v)
{
    return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char((v >> 8) & 0xFF));
}

QByteArray le32(quint32 v)
{
    return le16(int(v & 0xFFFF)) + le16(int(v >> 16));
}

// A tiny WAV: an optional chunk before the format, then fmt and a few samples.
QByteArray wav(int format, int bits, bool listFirst = false)
{
    QByteArray body = "WAVE";
    if (listFirst)
        body += "LIST" + le32(3) + "abc" + QByteArray(1, '\0'); // odd size: one pad byte
    body += "fmt " + le32(16) + le16(format) + le16(1) + le32(22050) + le32(22050 * bits / 8)
        + le16(bits / 8) + le16(bits);
    body += "data" + le32(4) + QByteArray(4, '\0');
    return "RIFF" + le32(quint32(body.size())) + body;
}

std::string shippedSound(const char *name)
{
    const QByteArray root = qgetenv("KVR_TEST_SOURCE_DIR");
    return (root.isEmpty() ? QByteArray(".") : root).toStdString() + "/data/Datas/" + name;
}

} // namespace

class QtSoundTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void recognisesPcmWav_data();
    void recognisesPcmWav();
    void playRefusesWhatCannotPlay();
    void playsShippedEffectsWithoutWaiting();

private:
    std::string write(const QString &name, const QByteArray &content)
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write test file");
        return file.fileName().toStdString();
    }
    QTemporaryDir m_dir;
};

void QtSoundTest::recognisesPcmWav_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("playable");
    QTest::newRow("pcm 16") << wav(1, 16) << true;
    QTest::newRow("pcm 8 after a LIST chunk") << wav(1, 8, true) << true;
    QTest::newRow("ms adpcm") << wav(2, 4) << false;
    QTest::newRow("float") << wav(3, 32) << false;
    QTest::newRow("text") << QByteArray("not a sound\r\n") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("truncated header") << wav(1, 16).left(30) << false;
    QTest::newRow("riff but not wave") << QByteArray("RIFF\4\0\0\0AVI ") << false;
}

void QtSoundTest::recognisesPcmWav()
{
    QFETCH(QByteArray, content);
    QTEST(isPlayablePcmWav(write("t.wav", content)), "playable");
}

void QtSoundTest::playRefusesWhatCannotPlay()
{
    CQtSoundPlayer player;
    QVERIFY(!player.play(""));
    QVERIFY(!player.play(write("x.wav", wav(2, 4))));
    QVERIFY(!player.play(write("x.txt", "text")));
    QVERIFY(!player.play(m_dir.filePath("missing.wav").toStdString()));
    QVERIFY(!player.play(m_dir.path().toStdString())); // a folder
    player.preload(m_dir.filePath("missing.wav").toStdString()); // ignored, no error
}

void QtSoundTest::playsShippedEffectsWithoutWaiting()
{
    // Without an audio device the players never report the end of a sound: nothing in
    // play() may wait for one (a wait would never end, and the test would time out).
    CQtSoundPlayer player;
    const std::string correct = shippedSound("Correct.wav");
    const std::string incorrect = shippedSound("Incorrect.wav");
    QVERIFY(isPlayablePcmWav(correct));
    QVERIFY(isPlayablePcmWav(incorrect));
    player.preload(correct);
    QVERIFY(player.play(correct)); // the preloaded effect
    QVERIFY(player.play(correct)); // again while it may still sound
    QVERIFY(player.play(incorrect)); // on the media player
    // A CP932 path: the name is converted to the native one.
    const std::string japanese = write(QStringLiteral("正解.wav"), wav(1, 16));
    QVERIFY(player.play(cp932::text(japanese)));
    player.playNativeFile(incorrect);
    player.stop();
    QTest::qWait(100); // let the backends run their first steps
}

QTEST_MAIN(QtSoundTest)
#include "qtsound_test.moc"
