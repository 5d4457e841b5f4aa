#include "history/journalsummary.h"

#include "history/answerjournal.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

bool isAtOrBelow(std::string_view collection, std::string_view folder)
{
    if (folder.empty() || collection == folder)
        return true;
    return collection.size() > folder.size() && collection.substr(0, folder.size()) == folder
        && collection[folder.size()] == '/';
}

} // namespace

DayCounts &CJournalSummary::countsOf(std::string_view learner, std::string_view collection)
{
    auto person = m_learners.find(learner);
    if (person == m_learners.end())
        person = m_learners.emplace(std::string(learner), decltype(person->second) {}).first;
    auto record = person->second.find(collection);
    if (record == person->second.end())
        record = person->second.emplace(std::string(collection), DayCounts {}).first;
    return record->second;
}

DayCounts CJournalSummary::days(std::string_view learner, std::string_view folder) const
{
    DayCounts sum;
    const auto person = m_learners.find(learner);
    if (person == m_learners.end())
        return sum;
    // Collections below a folder sort right after it ("a" < "a/…" < "a0"), but a name with a
    // byte below '/' would sort between; the check on every key keeps this plain.
    for (const auto &[collection, counts] : person->second) {
        if (!isAtOrBelow(collection, folder))
            continue;
        for (const auto &[day, count] : counts) {
            DayCount &total = sum[day];
            total.answers += count.answers;
            total.correct += count.correct;
        }
    }
    return sum;
}

CJournalSummary summariseJournal(std::string_view path)
{
    CJournalSummary summary;
    CBlockLineReader reader;
    if (!reader.open(path))
        return summary;
    // Lines come in runs of one learner, collection and day: the last place counted is
    // kept, so most lines cost a comparison rather than two look-ups.
    std::string learner;
    std::string collection;
    DayCounts *counts = nullptr;
    int day = -1;
    DayCount *count = nullptr;
    std::string_view text;
    while (reader.next(text)) {
        ++summary.lines;
        const std::optional<JournalLine> line = parseJournalLine(text);
        if (!line) {
            ++summary.skipped;
            continue;
        }
        if (!counts || line->learner != learner || line->collection != collection) {
            learner.assign(line->learner);
            collection.assign(line->collection);
            counts = &summary.countsOf(learner, collection);
            count = nullptr;
        }
        const int lineDay = dayNumber(line->year, line->month, line->day);
        if (!count || lineDay != day) {
            day = lineDay;
            count = &(*counts)[day];
        }
        ++count->answers;
        if (line->verdict != JournalVerdict::Incorrect)
            ++count->correct;
    }
    return summary;
}

const CJournalSummary &CJournalCache::summary(std::string_view path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file(nativePath(path));
    const std::uintmax_t size = fs::file_size(file, error);
    const bool exists = !error;
    const fs::file_time_type time =
        exists ? fs::last_write_time(file, error) : fs::file_time_type {};
    if (m_read && m_path == path && (exists ? size : 0) == m_size && time == m_time)
        return m_summary;
    m_summary = exists ? summariseJournal(path) : CJournalSummary {};
    m_read = true;
    m_path = std::string(path);
    m_size = exists ? size : 0;
    m_time = time;
    return m_summary;
}

} // namespace kvr
