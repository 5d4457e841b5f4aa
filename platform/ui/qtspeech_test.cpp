#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/cp932.h"
#include "platform/ui/qtsound.h"
#include "platform/ui/qtspeech.h"

using namespace kvr;
using namespace kvr::ui;

namespace {

// Stands in for open_jtalk: logs its arguments and text, sleeps on "遅い", writes the WAV.
const char kFakeJTalk[] = R"(#!/bin/sh
log="$(dirname "$0")/log.txt"
out=""
while [ $# -gt 0 ]; do
    case "$1" in -ow) out="$2";; esac
    echo "arg $1" >> "$log"
    shift
done
text=$(cat)
echo "text $text" >> "$log"
case "$text" in *遅い*) sleep 5;; esac
printf 'RIFF' > "$out"
echo "done $text" >> "$log"
)";

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

} // namespace

class QtSpeechTest : public QObject
{
    Q_OBJECT
private slots:
    void japaneseTextDetection_data();
    void japaneseTextDetection();
    void realEnginesAnswerAtOnce();
    void nothingFoundMeansUnavailable();
    void japaneseGoesThroughJTalk();
    void newTextKillsRunningSynthesis();

private:
    SpeechSetup fakeJTalk();
    QString log() const;
    QTemporaryDir m_dir;
};

void QtSpeechTest::japaneseTextDetection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("english") << "I have a pen." << false;
    QTest::newRow("accented latin") << "café" << false;
    QTest::newRow("hiragana") << "apple りんご" << true;
    QTest::newRow("katakana") << "リンゴ" << true;
    QTest::newRow("kanji") << "林檎" << true;
    QTest::newRow("full-width latin") << "ＡＢＣ" << true;
    QTest::newRow("half-width kana") << "ﾃｽﾄ" << true;
}

void QtSpeechTest::japaneseTextDetection()
{
    QFETCH(QString, text);
    QTEST(isJapaneseText(text), "japanese");
}

void QtSpeechTest::realEnginesAnswerAtOnce()
{
    // Whatever this machine has (no audio device, no voice), nothing may block: a call that
    // waited for the sound would never return here.
    CQtSoundPlayer player;
    CQtSpeechEngine engine(player);
    QCOMPARE(engine.isAvailable(), engine.latinAvailable() || engine.japaneseAvailable());
    engine.setRate(0.3);
    engine.setVolume(0.5);
    engine.say("Kelvora");
    engine.say(cp932::text("問題"));
    engine.stop();
    QTest::qWait(50);
}

void QtSpeechTest::nothingFoundMeansUnavailable()
{
    CQtSoundPlayer player;
    SpeechSetup setup;
    setup.latinEngine = QStringLiteral("no-such-engine");
    setup.jtalkProgram = m_dir.filePath(QStringLiteral("no-such-program"));
    CQtSpeechEngine engine(player, setup);
    QVERIFY(!engine.isAvailable());
    engine.say("Kelvora"); // a no-op, not a crash
    engine.say(cp932::text("問題"));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("log.txt"))));
}

SpeechSetup QtSpeechTest::fakeJTalk()
{
    QFile::remove(m_dir.filePath(QStringLiteral("log.txt")));
    const QString program = m_dir.filePath(QStringLiteral("open_jtalk"));
    writeFile(program, kFakeJTalk);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(m_dir.filePath(QStringLiteral("dic/sys.dic")), "x");
    writeFile(m_dir.filePath(QStringLiteral("voices/a/a.htsvoice")), "x");
    writeFile(m_dir.filePath(QStringLiteral("voices/m/nitech_jp_atr503_m001.htsvoice")), "x");
    SpeechSetup setup;
    setup.latinEngine = QStringLiteral("no-such-engine");
    setup.jtalkProgram = program;
    setup.jtalkDictionary = m_dir.filePath(QStringLiteral("dic"));
    setup.voiceFolder = m_dir.filePath(QStringLiteral("voices"));
    return setup;
}

QString QtSpeechTest::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("log.txt")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void QtSpeechTest::japaneseGoesThroughJTalk()
{
    CQtSoundPlayer player;
    CQtSpeechEngine engine(player, fakeJTalk());
    QVERIFY(engine.japaneseAvailable());
    QVERIFY(!engine.latinAvailable());
    QVERIFY(engine.isAvailable());
    engine.say("apple"); // Latin text is not open_jtalk's
    engine.setRate(1.0);
    engine.say(cp932::text("りんごを\r\n食べる"));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("done りんごを 食べる")), 5000);
    const QString seen = log();
    QVERIFY2(!seen.contains(QStringLiteral("apple")), qPrintable(seen));
    QVERIFY2(seen.contains(QStringLiteral("arg -r\narg 2.000\n")), qPrintable(seen));
    QVERIFY2(seen.contains(QStringLiteral("arg -x\narg ") + m_dir.filePath("dic") + "\n"),
             qPrintable(seen));
    QVERIFY2(seen.contains(QStringLiteral("m/nitech_jp_atr503_m001.htsvoice\n")), qPrintable(seen));
}

void QtSpeechTest::newTextKillsRunningSynthesis()
{
    CQtSoundPlayer player;
    CQtSpeechEngine engine(player, fakeJTalk());
    engine.say(cp932::text("遅い"));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("text 遅い")), 5000);
    engine.say(cp932::text("速い"));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("done 速い")), 5000);
    QVERIFY(!log().contains(QStringLiteral("done 遅い")));
}

QTEST_MAIN(QtSpeechTest)
#include "qtspeech_test.moc"
