// The log maintenance that follows row insertions, removals and sorting.
#include "editor/historyshift.h"

#include <algorithm>
#include <functional>

#include "history/answerlog.h"
#include "history/lognames.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

void changeLog(const std::string &logPath, IPrompter &prompter, const CDailyBackup *backup,
               const std::function<void(CAnswerLog &)> &change)
{
    // Made on the file's content under its lock, so a drill saved meanwhile stays.
    if (!fileExists(logPath))
        return;
    CAnswerLog log;
    log.setDailyBackup(backup);
    if (log.updateAnswerLog(logPath, change) == CAnswerLog::Update::WriteFailed)
        prompter.ask(errorBox(logSaveFailedText(logPath)));
}

void reorderRecord(CSectionLog &record, const std::vector<std::size_t> &order)
{
    const std::vector<QuestionTally> old = record.tallies();
    std::vector<std::size_t> newPosition(order.size());
    std::size_t size = old.size() > order.size() ? old.size() : 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        newPosition[order[i]] = i;
        if (order[i] < old.size())
            size = std::max(size, i + 1);
    }
    std::vector<QuestionTally> tallies(size);
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t from = i < order.size() ? order[i] : i;
        if (from < old.size())
            tallies[i] = old[from];
    }
    record.tallies() = std::move(tallies);
    for (std::int32_t &missed : record.lastMissed) {
        if (missed >= 0 && static_cast<std::size_t>(missed) < order.size())
            missed = static_cast<std::int32_t>(newPosition[static_cast<std::size_t>(missed)]);
    }
}

} // namespace

void shiftQuestionHistory(const std::string &logPath, std::string_view sectionPath,
                          std::size_t position, TallyShift shift, IPrompter &prompter,
                          std::size_t count, const CDailyBackup *backup)
{
    changeLog(logPath, prompter, backup, [&](CAnswerLog &log) {
        for (std::size_t i = 0; i < count; ++i) {
            if (shift == TallyShift::Insert)
                log.insertQuestionTally(sectionPath, position);
            else
                log.eraseQuestionTally(sectionPath, position);
        }
    });
}

void reorderQuestionHistory(const std::string &logPath, std::string_view sectionPath,
                            const std::vector<std::size_t> &order, IPrompter &prompter,
                            const CDailyBackup *backup)
{
    changeLog(logPath, prompter, backup, [&, name = logSectionName(sectionPath)](CAnswerLog &log) {
        for (CUserLog &user : log.users) {
            for (CSectionLog &record : user.sections) {
                if (record.sectionName == name)
                    reorderRecord(record, order);
            }
        }
    });
}

} // namespace kvr
