#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "history/drillmode.h"
#include "platform/filedialogs.h"
#include "platform/prompter.h"
#include "platform/sharedfile.h"

namespace kvr {

class CDailyBackup;
class CMappedText;

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

// The most tallies a record keeps from the file. A record has one tally per question of its
// collection, and no collection comes near this (a drill takes at most 1000 questions, and
// the largest database we measure holds 100,000 in all); the margin is generous. A damaged
// line of millions of "&" would otherwise load as millions of tallies and make every later
// save write them all again. The rest of such a line is dropped and the record kept; the
// reader as first built kept every tally.
inline constexpr std::size_t kMaxQuestionTallies = 1'000'000;

// A record's tallies. A load keeps the record's tally line as read, in the text of the log
// that it holds on to, and decodes it the first time the tallies are wanted: a large log
// holds far more records than the views ever show. A line never decoded, or decoded but
// never changed, is written back as it was read when the writer would give the same bytes.
// Decoding on first use changes the record's cache even through const access: a log is
// used by one thread at a time.
class CLazyTallies
{
public:
    // The tallies, decoded on first use. The changeable ones forget the line as read.
    std::vector<QuestionTally> &get();
    const std::vector<QuestionTally> &get() const;
    // False while the line as read has not been decoded yet.
    bool decoded() const { return !m_text || m_decoded; }

    // Keeps the tally line (after "ql=") that lies in text, to be decoded later. Should the
    // file of text be changed in place before then, the tallies read as none.
    void keepLine(std::shared_ptr<const CMappedText> text, std::string_view line);
    // The line as read, when the tallies are unchanged since and writing them would give
    // exactly these bytes again; else empty.
    std::optional<std::string_view> lineAsRead() const;
    // About the bytes the tallies take as a line, without decoding them.
    std::size_t estimatedLineSize() const;

    bool operator==(const CLazyTallies &other) const { return get() == other.get(); }

private:
    void decode() const;

    mutable std::vector<QuestionTally> m_values;
    std::shared_ptr<const CMappedText> m_text; // holds m_line's bytes; empty: no line kept
    std::string_view m_line;
    mutable bool m_decoded = false;
    mutable signed char m_writesBack = -1; // whether lineAsRead holds: not known yet (-1)
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
    // One tally per question of the collection; through tallies().
    CLazyTallies lazyTallies;
    std::vector<std::int32_t> lastMissed;
    std::uint32_t seriesSeed = 0;
    std::int32_t seriesDone = 0;
    std::int32_t lastSeriesCount = 0;

    std::vector<QuestionTally> &tallies() { return lazyTallies.get(); }
    const std::vector<QuestionTally> &tallies() const { return lazyTallies.get(); }

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
    // then the log is left exactly as it was. A successful load drops unsaved changes.
    bool loadAnswerLog(std::string_view path);
    bool loadAnswerLogText(std::string_view text);
    // The line (from 1) whose fault made the last load fail; 0 when it did not fail on a
    // line (a missing or unreadable file).
    std::size_t faultLine() const { return m_faultLine; }
    // Loads what reads: a damaged record is left out with its tally, series and missed
    // lines. False only when the file cannot be read.
    bool loadReadableRecords(std::string_view path);
    // Replaces the file atomically; false on any write error (the old file stays whole).
    // Takes no lock and no notice of other programs: see updateAnswerLog and saveWholeLog.
    bool saveAnswerLog(std::string_view path) const;

    // A change of the log that can be made again on a fresh copy of the file.
    using Change = std::function<void(CAnswerLog &)>;
    enum class Update { Saved, Unreadable, WriteFailed };
    // Makes the change in memory and writes the log under the file's lock. When the file
    // changed since this log read or wrote it (another program saved), its content is taken
    // first and every change not yet written is made again on it. A change whose write
    // fails stays in memory and is made again by the next update. Unreadable: the changed
    // file does not load, and is left as it is.
    Update updateAnswerLog(std::string_view path, const Change &change);
    // Writes the whole log as it is in memory under the file's lock (for edits not kept as
    // changes); the unsaved changes count as written when it succeeds.
    bool saveWholeLog(std::string_view path);
    // Takes the file's content when another program changed it and nothing is unsaved here;
    // true when it did (the history views then show the new content).
    bool reloadIfChanged(std::string_view path);
    bool hasUnsavedChanges() const { return !m_unsaved.empty(); }
    // Taken before updateAnswerLog and saveWholeLog write the file (nothing: no backups).
    void setDailyBackup(const CDailyBackup *backup) { m_backup = backup; }
    // Set whenever an update or a reload took content another program wrote; the views
    // clear it once they have been refreshed.
    bool changedByOthers = false;
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
    // The same fold without a save.
    void foldFinishedDrill(const FinishedDrill &drill);

private:
    CFileVersion m_version;
    std::vector<Change> m_unsaved;
    const CDailyBackup *m_backup = nullptr;
    std::size_t m_faultLine = 0;
};

// "ログファイル " + path + " を保存できませんでした。" (CP932): what a failed save of the
// log tells the learner.
std::string logSaveFailedText(std::string_view logPath);
// The same after a drill, which stays in memory: logSaveFailedText + "\n解答結果はプログラムを
// 終了するまで保持され、終了時にもう一度保存を試みます。"
std::string drillSaveFailedText(std::string_view logPath);
// The question at exit while drills are unsaved (Yes: try again, No: save to another file,
// Cancel: quit without them).
Message unsavedDrillsQuestion(std::string_view logPath);
// At exit, while drills are unsaved: asks unsavedDrillsQuestion until they are written or
// given up. Yes updates the log again; No writes the whole log to the file chosen in the
// save dialog otherLogFileRequest (cancelled: back to the question); Cancel gives them up.
// True when nothing is lost.
bool settleUnsavedDrills(CAnswerLog &log, std::string_view logPath, IPrompter &prompter,
                         IFileDialogs &fileDialogs);
FileRequest otherLogFileRequest();

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
