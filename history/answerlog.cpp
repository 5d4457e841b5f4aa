#include "history/answerlog.h"

#include <algorithm>
#include <utility>

#include "history/lognames.h"
#include "platform/cp932.h"
#include "platform/error.h"

namespace kvr {

namespace {

const char *const kUserNotFound = "not found the requested user.";
const char *const kSectionNotFound = "not found the requested sectionname.";
const char *const kIllegalIndex = "illegal index required.";

// Counters are 32-bit in the file; sums wrap around like the 32-bit ints they are rather
// than overflow into undefined behaviour.
std::int32_t wrapAdd(std::int32_t a, std::uint32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + b);
}

std::size_t checkedField(QuestionTally::Field field)
{
    const auto index = static_cast<std::size_t>(field);
    if (index >= QuestionTally::FieldCount)
        throw KvrError(kIllegalIndex);
    return index;
}

QuestionTally &tallyAt(std::vector<QuestionTally> &tallies, std::size_t position)
{
    if (position >= tallies.size())
        tallies.resize(position + 1);
    return tallies[position];
}

// Question positions kept in the missed list follow their questions like the tallies do.
void shiftMissedForInsert(std::vector<std::int32_t> &missed, std::size_t position)
{
    for (std::int32_t &p : missed) {
        if (p >= 0 && static_cast<std::size_t>(p) >= position)
            p = wrapAdd(p, 1);
    }
}

void shiftMissedForErase(std::vector<std::int32_t> &missed, std::size_t position)
{
    std::erase_if(missed, [position](std::int32_t p) {
        return p >= 0 && static_cast<std::size_t>(p) == position;
    });
    for (std::int32_t &p : missed) {
        if (p >= 0 && static_cast<std::size_t>(p) > position)
            --p;
    }
}

template <typename Action>
void forEachRecordNamed(std::vector<CUserLog> &users, std::string_view name, Action action)
{
    std::string storage;
    const std::string_view path = logSectionKey(name, storage);
    for (CUserLog &user : users) {
        for (CSectionLog &record : user.sections) {
            if (record.sectionName == path)
                action(record);
        }
    }
}

} // namespace

CAnswerLog::CAnswerLog()
    : headerLines { std::string(kDefaultHeader) }
{
}

CUserLog &CAnswerLog::findUserLog(std::string_view name)
{
    CUserLog *user = findUser(*this, name);
    if (!user)
        throw KvrError(kUserNotFound);
    return *user;
}

CUserLog &CAnswerLog::addUserLog(std::string_view name)
{
    users.push_back(CUserLog { logLearnerName(name), {} });
    return users.back();
}

CUserLog &CAnswerLog::userAt(std::size_t index)
{
    if (index >= users.size())
        throw KvrError(kIllegalIndex);
    return users[index];
}

void CAnswerLog::removeUser(std::size_t index)
{
    userAt(index);
    users.erase(users.begin() + static_cast<std::ptrdiff_t>(index));
}

void CAnswerLog::renameUser(std::size_t index, std::string_view newName)
{
    userAt(index).name = logLearnerName(newName);
}

void CAnswerLog::insertQuestionTally(std::string_view path, std::size_t position)
{
    forEachRecordNamed(users, path, [position](CSectionLog &record) {
        // A record whose sparse tallies end before the position has nothing to move.
        auto &tallies = record.tallies();
        if (position <= tallies.size())
            tallies.insert(tallies.begin() + static_cast<std::ptrdiff_t>(position),
                           QuestionTally {});
        shiftMissedForInsert(record.lastMissed, position);
    });
}

void CAnswerLog::eraseQuestionTally(std::string_view path, std::size_t position)
{
    forEachRecordNamed(users, path, [position](CSectionLog &record) {
        auto &tallies = record.tallies();
        if (position < tallies.size())
            tallies.erase(tallies.begin() + static_cast<std::ptrdiff_t>(position));
        shiftMissedForErase(record.lastMissed, position);
    });
}

void CAnswerLog::renameSectionLogs(std::string_view oldPath, std::string_view newPath)
{
    forEachRecordNamed(users, oldPath, [name = logSectionName(newPath)](CSectionLog &record) {
        record.sectionName = name;
    });
}

void CAnswerLog::renameFolderLogs(std::string_view oldFolder, std::string_view newFolder)
{
    std::string oldStorage;
    const std::string_view oldFolderPath = logSectionKey(oldFolder, oldStorage);
    const std::string newFolderPath = logSectionName(newFolder);
    for (CUserLog &user : users) {
        for (CSectionLog &record : user.sections) {
            std::string &name = record.sectionName;
            if (name.size() > oldFolderPath.size() && name.starts_with(oldFolderPath)
                && name[oldFolderPath.size()] == '/')
                name.replace(0, oldFolderPath.size(), newFolderPath);
        }
    }
}

bool CAnswerLog::recordFinishedDrill(const FinishedDrill &drill, std::string_view logPath)
{
    // A failed save keeps the drill in memory, so the next successful update writes it.
    return updateAnswerLog(logPath, [drill](CAnswerLog &log) { log.foldFinishedDrill(drill); })
        == Update::Saved;
}

void CAnswerLog::foldFinishedDrill(const FinishedDrill &drill)
{
    CSectionLog &record =
        obtainSectionLog(obtainUserLog(*this, drill.userName), drill.sectionPath, drill.mode);

    DrillRunRecord run;
    run.correct = drill.correct;
    run.incorrect = drill.incorrect;
    run.startTime = static_cast<std::int32_t>(drill.startTime);
    run.endTime = static_cast<std::int32_t>(drill.endTime);
    run.keyCount = drill.keyCount;
    addDrillRun(record, run);

    record.tallies() = drill.tallies;
    if (drill.advancesSeries)
        advanceSeries(record, drill.seed, drill.questionsTaken, drill.newSeries);
    record.lastMissed = drill.missed;
}

std::string logSaveFailedText(std::string_view logPath)
{
    return cp932::text("ログファイル ") + std::string(logPath)
        + cp932::text(" を保存できませんでした。");
}

std::string drillSaveFailedText(std::string_view logPath)
{
    return logSaveFailedText(logPath)
        + cp932::text("\n解答結果はプログラムを終了するまで保持され、終了時にもう一度保存を試みま"
                      "す。");
}

Message unsavedDrillsQuestion(std::string_view logPath)
{
    Message message = errorBox(
        logSaveFailedText(logPath)
        + cp932::text("\n保存されていない解答結果があります。\n\n「はい」もう一度保存する\n"
                      "「いいえ」別のファイルに保存する\n「キャンセル」保存せずに終了する"));
    message.buttons = Buttons::YesNoCancel;
    message.icon = Icon::Warning;
    return message;
}

const CUserLog *findUser(const CAnswerLog &log, std::string_view wanted)
{
    std::string storage;
    const std::string_view name = logLearnerKey(wanted, storage);
    auto it = std::find_if(log.users.begin(), log.users.end(),
                           [name](const CUserLog &user) { return user.name == name; });
    return it == log.users.end() ? nullptr : &*it;
}

CUserLog *findUser(CAnswerLog &log, std::string_view name)
{
    return const_cast<CUserLog *>(findUser(std::as_const(log), name));
}

const CSectionLog *findRecord(const CUserLog &user, std::string_view name, LogModeIndex mode)
{
    std::string storage;
    const std::string_view path = logSectionKey(name, storage);
    const int wanted = static_cast<int>(mode);
    int seen = 0;
    for (const CSectionLog &record : user.sections) {
        if (record.sectionName == path && seen++ == wanted)
            return &record;
    }
    return nullptr;
}

CSectionLog *findRecord(CUserLog &user, std::string_view path, LogModeIndex mode)
{
    return const_cast<CSectionLog *>(findRecord(std::as_const(user), path, mode));
}

const CSectionLog *findLearnerRecord(const CAnswerLog &log, std::string_view userName,
                                     std::string_view sectionPath, LogModeIndex mode)
{
    const CUserLog *user = findUser(log, userName);
    return user ? findRecord(*user, sectionPath, mode) : nullptr;
}

CSectionLog *findLearnerRecord(CAnswerLog &log, std::string_view userName,
                               std::string_view sectionPath, LogModeIndex mode)
{
    return const_cast<CSectionLog *>(
        findLearnerRecord(std::as_const(log), userName, sectionPath, mode));
}

const CSectionLog &emptySectionLog()
{
    static const CSectionLog empty;
    return empty;
}

CUserLog &obtainUserLog(CAnswerLog &log, std::string_view name)
{
    CUserLog *user = findUser(log, name);
    return user ? *user : log.addUserLog(name);
}

CSectionLog &findSectionLog(CUserLog &user, std::string_view path, LogModeIndex mode)
{
    CSectionLog *record = findRecord(user, path, mode);
    if (!record)
        throw KvrError(kSectionNotFound);
    return *record;
}

CSectionLog &obtainSectionLog(CUserLog &user, std::string_view name, LogModeIndex mode)
{
    std::string storage;
    const std::string_view path = logSectionKey(name, storage);
    const int wanted = static_cast<int>(mode);
    if (wanted < 0 || wanted >= kDrillModeCount)
        throw KvrError(kIllegalIndex);
    const auto have = std::count_if(user.sections.begin(), user.sections.end(),
                                    [path](const CSectionLog &r) { return r.sectionName == path; });
    for (auto k = have; k <= wanted; ++k) {
        CSectionLog record;
        record.sectionName = path;
        user.sections.push_back(std::move(record));
    }
    return findSectionLog(user, path, mode);
}

CSectionLog &sectionAt(CUserLog &user, std::size_t index)
{
    if (index >= user.sections.size())
        throw KvrError(kIllegalIndex);
    return user.sections[index];
}

const DrillRunRecord &runAt(const CSectionLog &record, std::size_t index)
{
    if (index >= record.recentRuns.size())
        throw KvrError(kIllegalIndex);
    return record.recentRuns[index];
}

void addDrillRun(CSectionLog &record, const DrillRunRecord &run)
{
    record.correctCount = wrapAdd(record.correctCount, static_cast<std::uint32_t>(run.correct));
    record.incorrectCount =
        wrapAdd(record.incorrectCount, static_cast<std::uint32_t>(run.incorrect));
    if (record.firstStudyTime == 0)
        record.firstStudyTime = run.startTime;
    record.studyCount = wrapAdd(record.studyCount, 1);
    // Modulo 2^32 the difference stays right even when the times wrap.
    const std::uint32_t seconds =
        static_cast<std::uint32_t>(run.endTime) - static_cast<std::uint32_t>(run.startTime);
    record.totalStudySeconds = wrapAdd(record.totalStudySeconds, seconds);
    record.totalKeyCount = wrapAdd(record.totalKeyCount, static_cast<std::uint32_t>(run.keyCount));
    record.recentRuns.insert(record.recentRuns.begin(), run);
    // Only the one run pushed out goes: a longer list read from a file keeps its length.
    if (record.recentRuns.size() > CSectionLog::kMaxRecentRuns)
        record.recentRuns.pop_back();
}

void advanceSeries(CSectionLog &record, std::uint32_t seed, std::int32_t taken, bool newSeries)
{
    record.seriesSeed = seed;
    const std::int32_t before = newSeries ? 0 : record.seriesDone;
    record.seriesDone = wrapAdd(before, static_cast<std::uint32_t>(taken));
    record.lastSeriesCount = taken;
}

void eraseRun(CSectionLog &record, std::size_t index)
{
    runAt(record, index);
    record.recentRuns.erase(record.recentRuns.begin() + static_cast<std::ptrdiff_t>(index));
}

void eraseSectionHistory(CUserLog &user, std::string_view name)
{
    std::string storage;
    const std::string_view path = logSectionKey(name, storage);
    std::erase_if(user.sections, [path](const CSectionLog &r) { return r.sectionName == path; });
}

QuestionTally readTally(const CSectionLog &record, std::size_t position)
{
    return position < record.tallies().size() ? record.tallies()[position] : QuestionTally {};
}

std::int32_t getTally(CSectionLog &record, std::size_t position, QuestionTally::Field field)
{
    const std::size_t index = checkedField(field);
    return tallyAt(record.tallies(), position).values[index];
}

void setTally(CSectionLog &record, std::size_t position, QuestionTally::Field field,
              std::int32_t value)
{
    const std::size_t index = checkedField(field);
    tallyAt(record.tallies(), position).values[index] = value;
}

void incrementTally(CSectionLog &record, std::size_t position, QuestionTally::Field field)
{
    incrementTally(record.tallies(), position, field);
}

void incrementTally(std::vector<QuestionTally> &tallies, std::size_t position,
                    QuestionTally::Field field)
{
    const std::size_t index = checkedField(field);
    std::int32_t &value = tallyAt(tallies, position).values[index];
    value = wrapAdd(value, 1);
}

} // namespace kvr
