#include "drill/testsupport_services.h"

#include "platform/textformat.h"

namespace kvr::test {

namespace {

std::string withValue(const char *name, double value)
{
    return formatText("%s %.2f", name, value);
}

} // namespace

CRecordingSpeechEngine::CRecordingSpeechEngine(std::vector<std::string> *log)
    : m_log(log)
{
}

void CRecordingSpeechEngine::setRate(double rate)
{
    log().push_back(withValue("rate", rate));
}

void CRecordingSpeechEngine::setVolume(double volume)
{
    log().push_back(withValue("volume", volume));
}

void CRecordingSpeechEngine::say(const std::string &text)
{
    log().push_back("say " + text);
}

void CRecordingSpeechEngine::sayAfter(const std::string &text)
{
    log().push_back("say after " + text);
}

void CRecordingSpeechEngine::stop()
{
    log().push_back("stop speech");
}

CRecordingSoundPlayer::CRecordingSoundPlayer(std::vector<std::string> *log)
    : m_log(log)
{
}

bool CRecordingSoundPlayer::play(const std::string &path)
{
    log().push_back("play " + path);
    return playable;
}

void CRecordingSoundPlayer::stop()
{
    log().push_back("stop sound");
}

RecordingServices::RecordingServices(const CKvrSettings &settings)
    : pronunciation(&speech, sound, settings)
{
}

std::vector<std::string> RecordingServices::take()
{
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

} // namespace kvr::test
