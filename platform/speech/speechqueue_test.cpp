#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/speech/speechqueue.h"
#include "platform/speech/wavlevel.h"
#include "platform/testsupport.h"

namespace kvr::speech {
namespace {

// Runner and output in one log: "synth <id> <text>", "play <wav>", "stop", "discard <wav>".
struct Recorder final : ISynthesisRunner, ISpeechOutput
{
    void start(const Utterance &u) override
    {
        started.push_back(u);
        log.push_back("synth " + std::to_string(u.id) + " " + u.text);
    }
    void discard(const std::string &wav) override { log.push_back("discard " + wav); }
    void play(const std::string &wav) override { log.push_back("play " + wav); }
    void stop() override { log.push_back("stop"); }

    std::vector<Utterance> started;
    std::vector<std::string> log;
};

struct QueueRig
{
    QueueRig() { queue.setVoices({ true, true }); }
    // Finishes utterance number i (0-based, in start order) as "<text>.wav".
    void finish(std::size_t i)
    {
        queue.synthesised(rec.started.at(i).id, rec.started.at(i).text + ".wav");
    }
    Recorder rec;
    CSpeechQueue queue { rec, rec };
};

using Log = std::vector<std::string>;

TEST(SpeechQueue, AppendedTextsPlayOneAfterAnotherInOrder)
{
    QueueRig rig;
    for (const char *text : { "one", "two", "three" })
        EXPECT_TRUE(rig.queue.say(text, Queueing::Append));
    rig.finish(2); // synthesised out of order: waits for the ones before it
    rig.finish(1);
    EXPECT_EQ(rig.rec.log, (Log { "synth 1 one", "synth 2 two", "synth 3 three" }));
    rig.finish(0);
    rig.queue.playbackEnded();
    rig.queue.playbackEnded();
    rig.queue.playbackEnded();
    rig.queue.playbackEnded(); // a stray end changes nothing
    EXPECT_EQ(
        rig.rec.log,
        (Log { "synth 1 one", "synth 2 two", "synth 3 three", "play one.wav", "discard one.wav",
               "play two.wav", "discard two.wav", "play three.wav", "discard three.wav" }));
}

TEST(SpeechQueue, ReplaceStopsPlayingAndDropsWaiting)
{
    QueueRig rig;
    rig.queue.say("one", Queueing::Append);
    rig.queue.say("two", Queueing::Append);
    rig.queue.say("three", Queueing::Append);
    rig.finish(0);
    rig.finish(1);
    rig.rec.log.clear();
    EXPECT_TRUE(rig.queue.say("new", Queueing::Replace));
    EXPECT_EQ(rig.queue.firstWanted(), 4u); // the runner may skip "three"
    rig.finish(2); // "three" arrives late: thrown away, never played
    rig.finish(3);
    EXPECT_EQ(rig.rec.log,
              (Log { "stop", "discard one.wav", "discard two.wav", "synth 4 new",
                     "discard three.wav", "play new.wav" }));
}

TEST(SpeechQueue, FailedSynthesisIsSkipped)
{
    QueueRig rig;
    rig.queue.say("one", Queueing::Append);
    rig.queue.say("two", Queueing::Append);
    rig.queue.synthesised(rig.rec.started[0].id, "");
    rig.finish(1);
    EXPECT_EQ(rig.rec.log.back(), "play two.wav");
}

TEST(SpeechQueue, NothingIsSynthesisedWithoutItsVoiceOrAtVolumeZero)
{
    QueueRig rig;
    rig.queue.setVoices({ true, false });
    rig.queue.setRate(0.5);
    EXPECT_FALSE(rig.queue.say(cp932::text("りんご"), Queueing::Append));
    EXPECT_FALSE(rig.queue.say(" \r\n", Queueing::Append));
    EXPECT_TRUE(rig.queue.say("apple", Queueing::Append));
    ASSERT_EQ(rig.rec.started.size(), 1u);
    EXPECT_EQ(rig.rec.started[0].voice, Voice::Latin);
    EXPECT_DOUBLE_EQ(rig.rec.started[0].options.speed, synthesisOptions(0.5, 1.0).speed);
    rig.queue.setVolume(0.0);
    EXPECT_FALSE(rig.queue.say("apple", Queueing::Append));
    rig.queue.setVoices({ false, true });
    rig.queue.setVolume(1.0);
    EXPECT_TRUE(rig.queue.say(cp932::text("りんご"), Queueing::Append));
    EXPECT_EQ(rig.rec.started.back().voice, Voice::Japanese);
    EXPECT_EQ(rig.rec.started.back().text, "りんご");
}

TEST(SpeechQueue, ReplaceWithNothingToSayStillStops)
{
    QueueRig rig;
    rig.queue.say("one", Queueing::Append);
    rig.finish(0);
    EXPECT_FALSE(rig.queue.say("", Queueing::Replace));
    EXPECT_EQ(rig.rec.log.back(), "discard one.wav");
    EXPECT_EQ(rig.rec.log.at(rig.rec.log.size() - 2), "stop");
}

// The real synthesiser behind the queue, run at once; the output measures what it is given.
struct SynthesisingRig final : ISynthesisRunner, ISpeechOutput
{
    void start(const Utterance &u) override
    {
        const std::string wav = folder / ("u" + std::to_string(u.id) + ".wav");
        pending.emplace_back(
            u.id, synthesiser.synthesise(u.voice, u.text, u.options, wav) ? wav : std::string());
    }
    void discard(const std::string &) override { }
    void play(const std::string &wav) override
    {
        const auto level = measureWav(wav);
        played.push_back(wav);
        levels.push_back(level ? level->rms : 0.0);
    }
    void stop() override { }

    TempFolder folder;
    CSynthesiser synthesiser;
    std::vector<std::pair<std::uint64_t, std::string>> pending;
    std::vector<std::string> played;
    std::vector<double> levels;
};

TEST(SpeechQueue, ThreeTextsBecomeThreeAudibleWavsPlayedInOrder)
{
    SynthesisingRig rig;
    CSpeechQueue queue(rig, rig);
    queue.setVoices(rig.synthesiser.probe(rig.folder.path()));
    for (const char *text : { "apple", "banana", "cherry" })
        ASSERT_TRUE(queue.say(text, Queueing::Append));
    for (const auto &[id, wav] : rig.pending)
        queue.synthesised(id, wav);
    for (int i = 0; i < 3; ++i)
        queue.playbackEnded();
    EXPECT_EQ(rig.played,
              (Log { rig.folder / "u1.wav", rig.folder / "u2.wav", rig.folder / "u3.wav" }));
    for (const double rms : rig.levels)
        EXPECT_GT(rms, kAudibleRms);
}

} // namespace
} // namespace kvr::speech
