#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/drillmode.h"

// The answer journal: one line per judged answer, appended at the end of every drill to
// "journal.txt" beside the answer-history log. CP932, CR LF, eight tab-separated fields:
//   local time "YYYY/MM/DD HH:MM:SS", learner, collection path, mode name,
//   question position (1-based), the question's first line, verdict, seconds taken ("3.2").
// The history log stays as it is; the journal only adds to what is known.
namespace kvr {

constexpr std::string_view kJournalFileName = "journal.txt";

enum class JournalVerdict {
    Correct, // "正解"
    Incorrect, // "不正解" (also an empty answer or one out of time)
    Accepted, // "正解にした": wrong at first, then counted right with "正解にする"
};

struct JournalEntry
{
    std::int64_t time = 0; // seconds since 1970; written as local time
    std::string learner; // CP932, like the other texts
    std::string collection;
    DrillMode mode = DrillMode::JapaneseToEnglishTyped;
    int position = 0; // 1-based
    std::string question; // the question's first line
    JournalVerdict verdict = JournalVerdict::Correct;
    int tenths = 0; // tenths of a second the answer took
};

// The journal beside the log at logPath (the data folder).
std::string journalPathBeside(std::string_view logPath);

// The words the journal writes (CP932).
std::string journalModeName(DrillMode mode);
std::string journalVerdictWord(JournalVerdict verdict);

// A text as the journal stores it in a field: tabs, CR and LF become blanks. Names are
// looked up in the journal in this form.
std::string journalFieldText(std::string_view text);

// The entry's line without its line end. Tabs, CR and LF inside the texts become blanks.
std::string formatJournalLine(const JournalEntry &entry);

// Appends the entries' lines to the file at path (made when missing) and flushes it to the
// disk. False when the file could not be opened or a write failed.
bool appendJournal(std::string_view path, const std::vector<JournalEntry> &entries);

// What the learner is told when a drill's answers could not be added to the journal.
std::string journalFailedText();

// A line as read back; the views point into the line.
struct JournalLine
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::string_view learner;
    std::string_view collection;
    std::string_view mode;
    int position = 0;
    std::string_view question;
    JournalVerdict verdict = JournalVerdict::Correct;
    int tenths = 0;
};

// The line's fields, or nothing for a line that is not a journal line (a hand edit, a line
// cut off by a crash, stray bytes): readers skip those.
std::optional<JournalLine> parseJournalLine(std::string_view line);

// Days since 1970-01-01 of a calendar date, and back. Dates of the journal are local dates.
int dayNumber(int year, int month, int day);
void dateOfDay(int dayNumber, int &year, int &month, int &day);

} // namespace kvr
