#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/cp932.h"
#include "platform/testsupport_wav.h"
#include "platform/ui/qtsound.h"
#include "platform/wavheader.h"

using namespace kvr;
using namespace kvr::ui;

namespace {

QByteArray wav(unsigned format, unsigned bits)
{
    return QByteArray::fromStdString(test::tinyWav(format, bits));
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
    QVERIFY(isPlayablePcmWavFile(correct));
    QVERIFY(isPlayablePcmWavFile(incorrect));
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
