#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

// The answer journal summarised for the study chart: answers and right answers per
// learner, per collection and per local day. Reading the journal is the slow part; a
// selection in the main window only filters the summary.
namespace kvr {

struct DayCount
{
    int answers = 0;
    int correct = 0; // right, or counted right afterwards
    bool operator==(const DayCount &) const = default;
};

// Keyed by day number (days since 1970-01-01, local dates).
using DayCounts = std::map<int, DayCount>;

class CJournalSummary
{
public:
    // The counts of one learner's collection, made when missing.
    DayCounts &countsOf(std::string_view learner, std::string_view collection);
    // The learner's counts summed over the collection folder and everything below it; an
    // empty folder is the whole database.
    DayCounts days(std::string_view learner, std::string_view folder) const;
    bool empty() const { return m_learners.empty(); }
    // Lines read and lines skipped as not being journal lines.
    std::size_t lines = 0;
    std::size_t skipped = 0;

private:
    std::map<std::string, std::map<std::string, DayCounts, std::less<>>, std::less<>> m_learners;
};

// Reads the journal at path; a missing or unreadable file gives an empty summary, and lines
// that are not journal lines are skipped.
CJournalSummary summariseJournal(std::string_view path);

// Keeps the summary of one journal file and reads the file again only when its size or
// modification time changed, or another file is asked for.
class CJournalCache
{
public:
    const CJournalSummary &summary(std::string_view path);

private:
    bool m_read = false;
    std::string m_path;
    std::uintmax_t m_size = 0;
    std::filesystem::file_time_type m_time {};
    CJournalSummary m_summary;
};

} // namespace kvr
