#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/sound.h"
#include "platform/textformat.h"

// Recording fakes of the speech engine and the sound player, for every test that needs one.
// Each call is appended to a log as one readable line:
//   "rate 0.50", "volume 1.00", "say <text>", "say after <text>", "stop speech",
//   "play <path>", "stop sound"
// (rate and volume with two decimals; texts and paths as the CP932 bytes passed). Two fakes
// given one log show the order of speech and sounds.
namespace kvr::test {

class CRecordingSpeechEngine : public ISpeechEngine
{
public:
    // Appends to log when given, else to its own calls.
    explicit CRecordingSpeechEngine(std::vector<std::string> *log = nullptr)
        : m_log(log)
    {
    }

    bool isAvailable() const override { return available; }
    void setRate(double rate) override { log().push_back(formatText("rate %.2f", rate)); }
    void setVolume(double volume) override { log().push_back(formatText("volume %.2f", volume)); }
    void say(const std::string &text) override { log().push_back("say " + text); }
    void sayAfter(const std::string &text) override { log().push_back("say after " + text); }
    void stop() override { log().push_back("stop speech"); }

    bool available = true;
    std::vector<std::string> calls;

private:
    std::vector<std::string> &log() { return m_log ? *m_log : calls; }
    std::vector<std::string> *m_log;
};

// A file plays unless playable is false or it is listed as unplayable; an empty name never
// plays, as with the real player.
class CRecordingSoundPlayer : public ISoundPlayer
{
public:
    explicit CRecordingSoundPlayer(std::vector<std::string> *log = nullptr)
        : m_log(log)
    {
    }

    bool play(const std::string &path) override
    {
        log().push_back("play " + path);
        return playable && !path.empty() && !unplayable.count(path);
    }
    void stop() override { log().push_back("stop sound"); }

    bool playable = true;
    std::set<std::string> unplayable;
    std::vector<std::string> calls;

private:
    std::vector<std::string> &log() { return m_log ? *m_log : calls; }
    std::vector<std::string> *m_log;
};

} // namespace kvr::test
