#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/cp932.h"
#include "platform/ui/qtsound.h"
#include "platform/ui/qtspeech.h"

using namespace kvr;
using namespace kvr::ui;

// The engine over the real synthesisers and player: availability comes from the probe,
// and a text reaches the speech channel as a WAV file. Order and replacement are the
// queue's, tested in the core.
class QtSpeechTest : public QObject
{
    Q_OBJECT
private slots:
    void englishIsProbedAndPlayedAsWav();
    void nothingFoundForJapaneseMeansNoJapanese();

private:
    QTemporaryDir m_dir;
};

void QtSpeechTest::englishIsProbedAndPlayedAsWav()
{
    CQtSoundPlayer player;
    CQtSpeechEngine engine(player);
    QVERIFY(engine.latinAvailable()); // flite is linked in: its probe must be audible
    QVERIFY(engine.isAvailable());
    engine.setRate(0.3);
    engine.setVolume(0.5);
    engine.say("Kelvora");
    engine.sayAfter("apple");
    engine.say(cp932::text("問題")); // replaces both, whatever the Japanese voice
    engine.stop();
    engine.sayAfter("one");
    engine.sayAfter("two");
    QTest::qWait(200); // destruction with synthesis pending must neither hang nor crash
}

void QtSpeechTest::nothingFoundForJapaneseMeansNoJapanese()
{
    CQtSoundPlayer player;
    speech::SpeechSetup setup;
    setup.jtalkProgram = QFile::encodeName(m_dir.filePath("no-such-program")).toStdString();
    CQtSpeechEngine engine(player, setup);
    QVERIFY(!engine.japaneseAvailable());
    QVERIFY(engine.isAvailable()); // English still works
    engine.say(cp932::text("問題")); // a no-op, not a crash
}

QTEST_MAIN(QtSpeechTest)
#include "qtspeech_test.moc"
