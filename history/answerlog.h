#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "history/drillmode.h"

namespace kvr {

struct DrillRunRecord
{
    std::int32_t correct = 0;
    std::int32_t incorrect = 0;
    std::int32_t startTime = 0;
    std::int32_t endTime = 0;
    std::int32_t keyCount = 0;
    bool operator==(const DrillRunRecord &) const = default;
};

// One question's tally. The field numbers 0-7 follow the file order.
struct QuestionTally
{
    enum Field {
        FirstCorrect = 0,
        FirstIncorrect,
        RetryCorrect,
        RetryIncorrect,
        FirstCorrectAdjust,
        FirstIncorrectAdjust,
        RetryCorrectAdjust,
        RetryIncorrectAdjust,
        FieldCount
    };
    std::int32_t values[FieldCount] = {};
    bool operator==(const QuestionTally &) const = default;
};

struct CSectionLog
{
    static constexpr std::size_t kMaxRecentRuns = 20;

    std::string sectionName;
    std::int32_t correctCount = 0;
    std::int32_t incorrectCount = 0;
    std::int32_t firstStudyTime = 0;
    std::int32_t studyCount = 0;
    std::int32_t totalStudySeconds = 0;
    std::int32_t totalKeyCount = 0;
    // Newest first. A vector (of at most about twenty) keeps the record cheap to move, so
    // that a learner's record list grows without copying every record.
    std::vector<DrillRunRecord> recentRuns;
    std::vector<QuestionTally> questionTallies;
    std::vector<std::int32_t> lastMissed;
    std::uint32_t seriesSeed = 0;
    std::int32_t seriesDone = 0;
    std::int32_t lastSeriesCount = 0;

    bool operator==(const CSectionLog &) const = default;
};
static_assert(std::is_nothrow_move_constructible_v<CSectionLog>);

struct CUserLog
{
    std::string name;
    std::vector<CSectionLog> sections;
    bool operator==(const CUserLog &) const = default;
};

// Everything a finished drill hands over for the end-of-drill update.
struct FinishedDrill
{
    std::string userName;
    std::string sectionPath;
    LogModeIndex mode = LogModeIndex::JapaneseToEnglishTyped;
    std::int32_t correct = 0;
    std::int32_t incorrect = 0;
    std::int64_t startTime = 0;
    std::int64_t endTime = 0;
    std::int32_t keyCount = 0;
    std::vector<QuestionTally> tallies; // the drill's working copy
    bool advancesSeries = false; // started without a selection, and ran to its end
    std::uint32_t seed = 0;
    std::int32_t questionsTaken = 0;
    std::vector<std::int32_t> missed;
    bool newSeries = false; // the drill started a new series
};

class CAnswerLog
{
public:
    static constexpr std::string_view kDefaultHeader = "# Kvr Log Information File";

    CAnswerLog();

    std::vector<std::string> headerLines;
    std::vector<CUserLog> users;

    // Replaces the content with the file's; false on a missing file or a format fault, and
    // then the log is left exactly as it was.
    bool loadAnswerLog(std::string_view path);
    bool loadAnswerLogText(std::string_view text);
    // Replaces the file atomically; false on any write error (the old file stays whole).
    bool saveAnswerLog(std::string_view path) const;
    std::string formatAnswerLog() const;

    // Look-ups raise KvrError with "not found the requested user." / "illegal index required."
    CUserLog &findUserLog(std::string_view name);
    CUserLog &addUserLog(std::string_view name);
    CUserLog &userAt(std::size_t index);
    void removeUser(std::size_t index);
    void renameUser(std::size_t index, std::string_view newName);

    // Editor maintenance over every learner and record.
    void insertQuestionTally(std::string_view path, std::size_t position);
    void eraseQuestionTally(std::string_view path, std::size_t position);
    void renameSectionLogs(std::string_view oldPath, std::string_view newPath);
    void renameFolderLogs(std::string_view oldFolderPath, std::string_view newFolderPath);

    // The end-of-drill update: finds or makes the learner and the record, folds the run
    // in, takes the tallies, series and missed list, and saves to logPath. Returns the
    // save's result.
    bool recordFinishedDrill(const FinishedDrill &drill, std::string_view logPath);
};

// "ログファイル " + path + " を保存できませんでした。" (CP932): what a failed save of the
// log tells the learner.
std::string logSaveFailedText(std::string_view logPath);

// Look-ups that never throw, for views (which show zeros for what is missing) and for
// code that creates what is missing: nullptr when the learner or the record is missing,
// or the mode is outside 0-4. The first of duplicate names wins, as with the throwing
// look-ups; nothing is ever created.
CUserLog *findUser(CAnswerLog &log, std::string_view name);
const CUserLog *findUser(const CAnswerLog &log, std::string_view name);
CSectionLog *findRecord(CUserLog &user, std::string_view path, LogModeIndex mode);
const CSectionLog *findRecord(const CUserLog &user, std::string_view path, LogModeIndex mode);
// The learner's record for (path, mode).
CSectionLog *findLearnerRecord(CAnswerLog &log, std::string_view userName,
                               std::string_view sectionPath, LogModeIndex mode);
const CSectionLog *findLearnerRecord(const CAnswerLog &log, std::string_view userName,
                                     std::string_view sectionPath, LogModeIndex mode);
// A record of zeros, for views of a record that does not exist yet.
const CSectionLog &emptySectionLog();
// The learner, added at the end when missing.
CUserLog &obtainUserLog(CAnswerLog &log, std::string_view name);

// "not found the requested sectionname." when the learner has fewer than mode+1 records.
CSectionLog &findSectionLog(CUserLog &user, std::string_view path, LogModeIndex mode);
CSectionLog &obtainSectionLog(CUserLog &user, std::string_view path, LogModeIndex mode);
CSectionLog &sectionAt(CUserLog &user, std::size_t index);
const DrillRunRecord &runAt(const CSectionLog &record, std::size_t index);
void addDrillRun(CSectionLog &record, const DrillRunRecord &run);
// Moves the series on by a drill's questions: the drill's seed, seriesDone += taken (or
// = taken for a drill that started a new series), lastSeriesCount = taken.
void advanceSeries(CSectionLog &record, std::uint32_t seed, std::int32_t taken, bool newSeries);
void eraseRun(CSectionLog &record, std::size_t index);
void eraseSectionHistory(CUserLog &user, std::string_view path);

// A question's tally without changing the record: zeros beyond the end of its tallies.
QuestionTally readTally(const CSectionLog &record, std::size_t position);
// Tally access; any access at or beyond the end first extends the vector with zero tallies.
std::int32_t getTally(CSectionLog &record, std::size_t position, QuestionTally::Field field);
void setTally(CSectionLog &record, std::size_t position, QuestionTally::Field field,
              std::int32_t value);
void incrementTally(CSectionLog &record, std::size_t position, QuestionTally::Field field);
// The same, on a bare tally vector (the drill's working copy).
void incrementTally(std::vector<QuestionTally> &tallies, std::size_t position,
                    QuestionTally::Field field);

} // namespace kvr
