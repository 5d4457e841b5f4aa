#pragma once

#include <string>
#include <vector>

#include "drill/pronunciation.h"
#include "platform/testsupport_sound.h"

// The recording speech engine and sound player over a CPronunciation, for the drill tests.
namespace kvr::test {

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
