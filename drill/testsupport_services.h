#pragma once

#include <string>
#include <vector>

#include "drill/pronunciation.h"

// Recording fakes of the speech engine and the sound player for the drill tests. Every call
// is appended to a log as one readable line:
//   "rate 0.50", "volume 1.00", "say <text>", "say after <text>", "stop speech",
//   "play <path>", "stop sound"
// (rate and volume with two decimals; texts and paths as the CP932 bytes passed).
namespace kvr::test {

class CRecordingSpeechEngine : public ISpeechEngine
{
public:
    // Appends to log when given, else to its own calls.
    explicit CRecordingSpeechEngine(std::vector<std::string> *log = nullptr);

    bool isAvailable() const override { return available; }
    void setRate(double rate) override;
    void setVolume(double volume) override;
    void say(const std::string &text) override;
    void sayAfter(const std::string &text) override;
    void stop() override;

    bool available = true;
    std::vector<std::string> calls;

private:
    std::vector<std::string> &log() { return m_log ? *m_log : calls; }
    std::vector<std::string> *m_log;
};

class CRecordingSoundPlayer : public ISoundPlayer
{
public:
    explicit CRecordingSoundPlayer(std::vector<std::string> *log = nullptr);

    bool play(const std::string &path) override;
    bool playable = true; // what play() reports
    void stop() override;

    std::vector<std::string> calls;

private:
    std::vector<std::string> &log() { return m_log ? *m_log : calls; }
    std::vector<std::string> *m_log;
};

// Both fakes writing into one log, so the order of speech and sounds can be checked, with
// a CPronunciation over them:
//   CKvrSettings settings;  RecordingServices services(settings);
//   CDrillSession s(..., services.pronunciation);
//   EXPECT_EQ(services.calls, (std::vector<std::string> { "play /d/Correct.wav" }));
struct RecordingServices
{
    explicit RecordingServices(const CKvrSettings &settings);
    RecordingServices(const RecordingServices &) = delete;
    RecordingServices &operator=(const RecordingServices &) = delete;

    // The lines logged since the last take(), and the log cleared.
    std::vector<std::string> take();

    std::vector<std::string> calls;
    CRecordingSpeechEngine speech { &calls };
    CRecordingSoundPlayer sound { &calls };
    CPronunciation pronunciation;
};

} // namespace kvr::test
