// The answer-history log: a file and the same text in memory load alike, a failed load
// leaves the log as it was, and a loaded log is saved and loaded back unchanged. Tallies
// decoded on first use and tallies all decoded at once read and save alike.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

#include "fuzz/fuzzsupport.h"
#include "history/answerlog.h"
#include "platform/textfile.h"

using namespace kvr;

namespace {

// A log with content of its own, so a failed load that touched it would show.
CAnswerLog presetLog()
{
    CAnswerLog log;
    CSectionLog &record =
        obtainSectionLog(log.addUserLog("preset"), "A/B", LogModeIndex::EnglishToJapaneseTyped);
    addDrillRun(record, { 3, 1, 100, 160, 42 });
    setTally(record, 2, QuestionTally::RetryIncorrect, 7);
    record.lastMissed = { 2 };
    return log;
}

// Any learner and collection name survives a drill's save and a load: the writer never
// writes a line its reader rejects. The input, split at its first zero byte, names both.
void checkNamesSurvive(std::string_view text)
{
    const std::size_t split = std::min(text.find('\0'), text.size());
    const std::string learner(text.substr(0, split));
    const std::string section(text.substr(std::min(split + 1, text.size())));
    FinishedDrill drill;
    drill.userName = learner;
    drill.sectionPath = section;
    drill.correct = 2;
    drill.incorrect = 1;
    drill.tallies.resize(3);
    // The drill's save merges into the file on disk: start from none, as the last run left one.
    const std::string file = fuzz::scratchFile("names.txt");
    std::remove(file.c_str());
    CAnswerLog log;
    log.recordFinishedDrill(drill, file);
    CAnswerLog again;
    KVR_FUZZ_CHECK(again.loadAnswerLogText(log.formatAnswerLog()));
    const CSectionLog *record = findLearnerRecord(again, learner, section, drill.mode);
    KVR_FUZZ_CHECK(record && record->correctCount == 2 && record->tallies().size() == 3);
}

bool sameLog(const CAnswerLog &a, const CAnswerLog &b)
{
    return a.headerLines == b.headerLines && a.users == b.users;
}

// Decodes every record's tallies and lets the writer write them all, as a load that decodes
// everything at once leaves the log.
CAnswerLog fullyDecoded(CAnswerLog log)
{
    for (CUserLog &user : log.users) {
        for (CSectionLog &record : user.sections)
            record.tallies();
    }
    return log;
}

// Some records read, some opened for change, some left undecoded (which follows the input):
// the log reads and saves as the fully decoded one does.
void checkPartlyDecodedSavesAlike(CAnswerLog loaded, std::string_view text)
{
    const CAnswerLog full = fullyDecoded(loaded);
    CAnswerLog part = loaded;
    std::size_t choice = std::hash<std::string_view> {}(text);
    for (CUserLog &user : part.users) {
        for (CSectionLog &record : user.sections) {
            if (choice % 3 == 0)
                static_cast<void>(std::as_const(record).tallies().size());
            else if (choice % 3 == 1)
                static_cast<void>(record.tallies().size());
            choice = choice / 3 + (choice % 3 == 2 ? 0x9e3779b9u : 0);
        }
    }
    KVR_FUZZ_CHECK(part.formatAnswerLog() == full.formatAnswerLog());
    KVR_FUZZ_CHECK(loaded.formatAnswerLog() == full.formatAnswerLog());
    KVR_FUZZ_CHECK(part.users == full.users);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text = fuzz::asText(data, size);
    const std::string input = fuzz::scratchFile("input.txt");
    fuzz::putFile(input, text);

    checkNamesSurvive(text);

    const CAnswerLog preset = presetLog();
    CAnswerLog fromText = preset;
    const bool loaded = fromText.loadAnswerLogText(text);
    CAnswerLog fromFile = preset;
    KVR_FUZZ_CHECK(fromFile.loadAnswerLog(input) == loaded);
    if (loaded) // before anything decodes the tallies
        checkPartlyDecodedSavesAlike(fromFile, text);
    KVR_FUZZ_CHECK(sameLog(fromFile, fromText));
    if (!loaded) {
        KVR_FUZZ_CHECK(sameLog(fromText, preset));
        return 0;
    }

    const std::string output = fuzz::scratchFile("output.txt");
    KVR_FUZZ_CHECK(fromText.saveAnswerLog(output));
    const std::string saved = fromText.formatAnswerLog();
    KVR_FUZZ_CHECK(readWholeFile(output) == saved);

    // The one loss a save makes on purpose: the empty last header line of a log without
    // learners (so that saving an empty log again and again does not grow the file); each
    // save of such a log drops one more.
    CAnswerLog expected = fromText;
    if (expected.users.empty() && !expected.headerLines.empty()
        && expected.headerLines.back().empty())
        expected.headerLines.pop_back();

    CAnswerLog again;
    KVR_FUZZ_CHECK(again.loadAnswerLog(output));
    KVR_FUZZ_CHECK(sameLog(again, expected));
    KVR_FUZZ_CHECK(again.formatAnswerLog() == expected.formatAnswerLog());
    return 0;
}
