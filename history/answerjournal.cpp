#include "history/answerjournal.h"

#include <array>
#include <cstdio>

#include "history/localtime.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr char kTab = '\t';
constexpr std::size_t kFieldCount = 8;

// A text as one field: the separators of fields and lines become blanks.
void appendField(std::string &line, std::string_view text)
{
    for (const char c : text)
        line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits only, at least one, at most nine (no overflow).
bool parseNumber(std::string_view text, int &value)
{
    if (text.empty() || text.size() > 9)
        return false;
    value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// "12" or "12.3": whole tenths.
bool parseTenths(std::string_view text, int &tenths)
{
    const std::size_t dot = text.find('.');
    int whole = 0;
    int fraction = 0;
    const bool ok = dot == std::string_view::npos ? parseNumber(text, whole)
                                                  : parseNumber(text.substr(0, dot), whole)
            && text.size() == dot + 2 && parseNumber(text.substr(dot + 1), fraction);
    if (!ok || whole >= 10000000)
        return false;
    tenths = whole * 10 + fraction;
    return true;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// "YYYY/MM/DD HH:MM:SS" with every field in range.
bool parseTime(std::string_view text, JournalLine &line)
{
    if (text.size() != 19 || text[4] != '/' || text[7] != '/' || text[10] != ' ' || text[13] != ':'
        || text[16] != ':')
        return false;
    const auto two = [&](std::size_t at, int &value) {
        return parseNumber(text.substr(at, 2), value);
    };
    if (!parseNumber(text.substr(0, 4), line.year) || !two(5, line.month) || !two(8, line.day)
        || !two(11, line.hour) || !two(14, line.minute) || !two(17, line.second))
        return false;
    return line.year >= 1970 && line.month >= 1 && line.month <= 12 && line.day >= 1
        && line.day <= daysInMonth(line.year, line.month) && line.hour < 24 && line.minute < 60
        && line.second < 61;
}

// The verdict words, made once: every line read is compared with them.
const std::array<std::string, 3> &verdictWords()
{
    static const std::array<std::string, 3> words = {
        cp932::text("正解"),
        cp932::text("不正解"),
        cp932::text("正解にした"),
    };
    return words;
}

bool parseVerdict(std::string_view text, JournalVerdict &verdict)
{
    const auto &words = verdictWords();
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (text == words[i]) {
            verdict = static_cast<JournalVerdict>(i);
            return true;
        }
    }
    return false;
}

} // namespace

std::string journalFieldText(std::string_view text)
{
    std::string field;
    appendField(field, text);
    return field;
}

std::string journalPathBeside(std::string_view logPath)
{
    const std::string folder = env::parentFolder(logPath);
    return env::joinPath(folder.empty() ? "." : folder, kJournalFileName);
}

std::string journalModeName(DrillMode mode)
{
    switch (mode) {
    case DrillMode::JapaneseToEnglishTyped:
        return cp932::text("和英入力");
    case DrillMode::SpeedReply:
        return "SpeedReply";
    case DrillMode::EnglishToJapaneseChoice:
        return cp932::text("英和４択");
    case DrillMode::EnglishToJapaneseTyped:
        return cp932::text("英和入力");
    case DrillMode::JapaneseToEnglishChoice:
        return cp932::text("和英４択");
    }
    return {};
}

std::string journalVerdictWord(JournalVerdict verdict)
{
    const auto index = static_cast<std::size_t>(verdict);
    return index < verdictWords().size() ? verdictWords()[index] : std::string();
}

std::string formatJournalLine(const JournalEntry &entry)
{
    std::string line;
    if (const auto tm = localTimeOf(entry.time))
        line = formatText("%04d/%02d/%02d %02d:%02d:%02d", tm->tm_year + 1900, tm->tm_mon + 1,
                          tm->tm_mday, tm->tm_hour, tm->tm_min, tm->tm_sec);
    line += kTab;
    appendField(line, entry.learner);
    line += kTab;
    appendField(line, entry.collection);
    line += kTab;
    line += journalModeName(entry.mode);
    line += kTab;
    line += std::to_string(entry.position);
    line += kTab;
    appendField(line, entry.question);
    line += kTab;
    line += journalVerdictWord(entry.verdict);
    line += kTab;
    const int tenths = entry.tenths < 0 ? 0 : entry.tenths;
    line += formatText("%d.%d", tenths / 10, tenths % 10);
    return line;
}

bool appendJournal(std::string_view path, const std::vector<JournalEntry> &entries)
{
    std::string text;
    for (const JournalEntry &entry : entries) {
        text += formatJournalLine(entry);
        text += "\r\n";
    }
    std::FILE *file = std::fopen(nativePath(path).c_str(), "ab");
    if (!file)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    return std::fclose(file) == 0 && ok;
}

std::string journalFailedText()
{
    return formatText(cp932::text("今回の解答を解答記録 (%s) に書き込めませんでした。\n"
                                  "学習の履歴はこれとは別に保存されています。"),
                      std::string(kJournalFileName).c_str());
}

std::optional<JournalLine> parseJournalLine(std::string_view text)
{
    std::string_view fields[kFieldCount];
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find(kTab, start);
        if (count == kFieldCount)
            return std::nullopt; // a ninth field
        fields[count++] = text.substr(start, tab == std::string_view::npos ? tab : tab - start);
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    JournalLine line;
    if (count != kFieldCount || !parseTime(fields[0], line)
        || !parseNumber(fields[4], line.position) || line.position < 1
        || !parseVerdict(fields[6], line.verdict) || !parseTenths(fields[7], line.tenths))
        return std::nullopt;
    line.learner = fields[1];
    line.collection = fields[2];
    line.mode = fields[3];
    line.question = fields[5];
    return line;
}

// Civil-calendar day counting (proleptic Gregorian), valid far beyond any journal date.
int dayNumber(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void dateOfDay(int number, int &year, int &month, int &day)
{
    number += 719468;
    const int era = (number >= 0 ? number : number - 146096) / 146097;
    const int dayOfEra = number - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

} // namespace kvr
