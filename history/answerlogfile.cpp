// Reading and writing "translog.txt".
#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <utility>

#include "history/answerlog.h"
#include "history/answerlogpieces.h"
#include "history/answerlogtallyline.h"
#include "history/lognames.h"
#include "platform/cp932.h"
#include "platform/mappedtext.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

// A cursor over one line. Numbers are read by hand: this runs over every value of a log
// that can hold millions of them, and digits wrap around like a 32-bit int so that no
// input can reach undefined behaviour.
struct Cursor
{
    const char *p;
    const char *end;

    explicit Cursor(std::string_view text)
        : p(text.data())
        , end(text.data() + text.size())
    {
    }
    bool atEnd() const { return p == end; }

    // An optional "-" and a run of digits, possibly empty; the result wraps modulo 2^32.
    std::uint32_t digits(bool &anyDigit)
    {
        anyDigit = false;
        if (p == end)
            return 0;
        const bool negative = *p == '-';
        if (negative && ++p == end)
            return 0;
        const char *start = p;
        std::uint32_t value = 0;
        for (; p != end; ++p) {
            const unsigned digit = static_cast<unsigned char>(*p) - unsigned('0');
            if (digit > 9)
                break;
            value = value * 10 + digit;
        }
        anyDigit = p != start;
        return negative ? 0u - value : value;
    }

    // A value of the record and tally lines: an empty run of digits reads as 0, and one
    // following character of any kind is the separator. False when the line ends first;
    // sep receives the separator.
    bool field(std::int32_t &out, char &sep)
    {
        bool anyDigit;
        const std::uint32_t value = digits(anyDigit);
        if (p == end)
            return false;
        sep = *p++;
        out = static_cast<std::int32_t>(value);
        return true;
    }

    bool field(std::int32_t &out)
    {
        char sep;
        return field(out, sep);
    }

    // A value of the series and missed-questions lines: at least one digit.
    bool integer(std::uint32_t &out)
    {
        bool anyDigit;
        out = digits(anyDigit);
        return anyDigit;
    }

    bool skipOne()
    {
        if (p == end)
            return false;
        ++p;
        return true;
    }
};

bool isLearnerLine(std::string_view line)
{
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    // The closing bracket must be a character of its own, not the trail byte of one (ゾ).
    std::size_t pos = 0;
    while (pos + 1 < line.size())
        pos += cp932::isLeadByte(line[pos]) ? 2 : 1;
    return pos == line.size() - 1;
}

bool parseRecordLine(std::string_view line, CSectionLog &record)
{
    if (line.empty() || line.front() != '"')
        return false;
    const std::size_t close = line.find('"', 1);
    if (close == std::string_view::npos)
        return false;
    record.sectionName.assign(line.substr(1, close - 1));
    // The quote and the comma after it.
    Cursor in(line.substr(std::min(close + 2, line.size())));
    std::int32_t *const totals[] = { &record.correctCount,      &record.incorrectCount,
                                     &record.firstStudyTime,    &record.studyCount,
                                     &record.totalStudySeconds, &record.totalKeyCount };
    for (std::int32_t *value : totals) {
        if (!in.field(*value))
            return false;
    }
    while (!in.atEnd()) {
        DrillRunRecord run;
        if (!in.field(run.correct) || !in.field(run.incorrect) || !in.field(run.startTime)
            || !in.field(run.endTime) || !in.field(run.keyCount))
            return false;
        record.recentRuns.push_back(run);
    }
    return true;
}

// An entry of two, four or eight values; after the second and the fourth an "&" closes it
// early. value(out) reads one value and returns its separator, or -1 when the line ends
// first.
template <typename ValueReader> bool parseTallyEntry(ValueReader &value, std::int32_t *v)
{
    int sep;
    if (value(v[0]) < 0 || (sep = value(v[1])) < 0)
        return false;
    if (sep == '&')
        return true;
    if (value(v[2]) < 0 || (sep = value(v[3])) < 0)
        return false;
    if (sep == '&')
        return true;
    return value(v[4]) >= 0 && value(v[5]) >= 0 && value(v[6]) >= 0 && value(v[7]) >= 0;
}

// An entry cut off by the end of the line is dropped. Earlier entries of the vector are
// overwritten; new ones are parsed straight into the vector, which also spares the copy
// of a tally that was just written field by field.
template <typename ValueReader>
void parseTallies(ValueReader value, std::vector<QuestionTally> &tallies, const bool &more)
{
    for (std::size_t position = 0; more && position < kMaxQuestionTallies; ++position) {
        const bool append = position >= tallies.size();
        QuestionTally overwrite;
        std::int32_t *values = append ? tallies.emplace_back().values : overwrite.values;
        if (!parseTallyEntry(value, values)) {
            if (append)
                tallies.pop_back();
            return;
        }
        if (!append)
            tallies[position] = overwrite;
    }
}

bool isDigit(char c)
{
    return static_cast<unsigned char>(c) - unsigned('0') <= 9;
}

// The number of c in text. Counted in byte-wide sums over short runs, which the compiler
// turns into wide compares and adds: std::count's 64-bit sum is several times slower.
std::size_t countByte(std::string_view text, char c)
{
    std::size_t total = 0;
    for (std::size_t start = 0; start < text.size(); start += 255) {
        const std::size_t stop = std::min(text.size(), start + 255);
        unsigned char run = 0;
        for (std::size_t i = start; i < stop; ++i)
            run += text[i] == c;
        total += run;
    }
    return total;
}

} // namespace

void decodeTallyLine(std::string_view text, std::vector<QuestionTally> &tallies)
{
    tallies.reserve(std::max(tallies.size(), std::min(countByte(text, '&'), kMaxQuestionTallies)));
    const char *p = text.data();
    const char *const end = p + text.size();
    bool more = p != end;
    if (text.empty() || isDigit(text.back())) {
        Cursor in(text);
        parseTallies(
            [&in, &more](std::int32_t &out) {
                char sep;
                const bool complete = in.field(out, sep);
                more = !in.atEnd();
                return complete ? static_cast<unsigned char>(sep) : -1;
            },
            tallies, more);
        return;
    }
    // The usual line ends in "&": every run of digits stops before the end, so only the
    // start of a value needs a bound check. This loop runs over nearly every byte of a log.
    parseTallies(
        [&p, end, &more](std::int32_t &out) {
            if (p == end)
                return -1;
            unsigned digit = static_cast<unsigned char>(*p) - unsigned('0');
            const bool negative = digit > 9 && *p == '-';
            if (negative) {
                if (++p == end)
                    return -1;
                digit = static_cast<unsigned char>(*p) - unsigned('0');
            }
            std::uint32_t value = 0;
            while (digit <= 9) {
                value = value * 10 + digit;
                digit = static_cast<unsigned char>(*++p) - unsigned('0');
            }
            out = static_cast<std::int32_t>(negative ? 0u - value : value);
            const int sep = static_cast<unsigned char>(*p++);
            more = p != end;
            return sep;
        },
        tallies, more);
}

namespace {

void parseSeriesLine(std::string_view text, CSectionLog &record)
{
    Cursor in(text);
    std::uint32_t seed, done, last;
    if (in.integer(seed) && in.skipOne() && in.integer(done) && in.skipOne() && in.integer(last)) {
        record.seriesSeed = seed;
        record.seriesDone = static_cast<std::int32_t>(done);
        record.lastSeriesCount = static_cast<std::int32_t>(last);
    }
}

void parseMissedLine(std::string_view text, CSectionLog &record)
{
    Cursor in(text);
    std::uint32_t value;
    while (in.integer(value) && in.skipOne())
        record.lastMissed.push_back(static_cast<std::int32_t>(value));
}

// The content of one file, filled line by line; nothing of it reaches the log unless the
// whole file reads without a fault.
class CLogParser
{
public:
    // Lenient: a damaged record is left out with its lines instead of failing the file.
    // Tally lines are kept undecoded in text, which holds every line parsed.
    CLogParser(std::shared_ptr<const CMappedText> text, bool lenient)
        : m_text(std::move(text))
        , m_lenient(lenient)
    {
    }
    bool line(std::string_view text);

    std::vector<std::string> headerLines;
    std::vector<CUserLog> users;

private:
    bool strictLine(std::string_view text);

    std::shared_ptr<const CMappedText> m_text;
    bool m_inHeader = true;
    bool m_lenient;
    bool m_skipping = false; // the lines of a damaged record
};

bool CLogParser::line(std::string_view text)
{
    if (!m_lenient)
        return strictLine(text);
    const std::string_view prefix = text.substr(0, 3);
    const bool ofRecord = prefix == "ql=" || prefix == "tm=" || prefix == "lm=";
    if (m_skipping && ofRecord)
        return true;
    m_skipping = false;
    if (strictLine(text))
        return true;
    // Only a record line or a line of a record before any can fail.
    if (!ofRecord)
        users.back().sections.pop_back();
    m_skipping = true;
    return true;
}

bool CLogParser::strictLine(std::string_view text)
{
    if (isLearnerLine(text)) {
        users.push_back(CUserLog { std::string(text.substr(1, text.size() - 2)), {} });
        m_inHeader = false;
        return true;
    }
    if (m_inHeader) {
        headerLines.emplace_back(text);
        return true;
    }
    if (text.empty())
        return true;
    auto &sections = users.back().sections;
    const std::string_view prefix = text.substr(0, 3);
    const bool tally = prefix == "ql=", series = prefix == "tm=", missed = prefix == "lm=";
    if (tally || series || missed) {
        if (sections.empty())
            return false;
        const std::string_view rest = text.substr(3);
        CLazyTallies &tallies = sections.back().lazyTallies;
        if (tally && tallies.decoded() && std::as_const(tallies).get().empty())
            tallies.keepLine(m_text, rest);
        else if (tally) // a second tally line of the record reads over the first
            decodeTallyLine(rest, tallies.get());
        else if (series)
            parseSeriesLine(rest, sections.back());
        else
            parseMissedLine(rest, sections.back());
        return true;
    }
    CSectionLog &record = sections.emplace_back();
    return parseRecordLine(text, record);
}

// The log's text stays in memory (mapped, where it can be) for the tally lines that point
// into it until they are decoded.
bool parseInto(CAnswerLog &log, const std::shared_ptr<const CMappedText> &source,
               std::size_t &faultLine, bool lenient = false)
{
    CLogParser parser(source, lenient);
    CLineSplitter lines(source->view());
    std::string_view text;
    faultLine = 0;
    for (std::size_t number = 1; lines.next(text); ++number) {
        if (!parser.line(text)) {
            faultLine = number;
            return false;
        }
    }
    log.headerLines = std::move(parser.headerLines);
    log.users = std::move(parser.users);
    return true;
}

// Appends to a line buffer sized for the worst case up front, through a raw cursor: through
// the string itself, every character stored would make the compiler reload its pointer.
class CNumberLine
{
public:
    static constexpr std::size_t kMaxNumber = 12; // "-2147483648" or "4294967295", a separator

    // The buffer is reused from line to line and only ever grows.
    CNumberLine(std::string &buffer, std::size_t maxBytes)
    {
        if (buffer.size() < maxBytes)
            buffer.resize(maxBytes);
        m_begin = m_out = buffer.data();
    }
    void text(std::string_view s) { m_out = std::copy(s.begin(), s.end(), m_out); }
    void ch(char c) { *m_out++ = c; }
    template <typename Int> void number(Int value)
    {
        m_out = std::to_chars(m_out, m_out + kMaxNumber, value).ptr;
    }
    std::string_view view() const
    {
        return std::string_view(m_begin, static_cast<std::size_t>(m_out - m_begin));
    }

private:
    char *m_begin;
    char *m_out;
};

template <typename Out>
void writeRecordLine(Out &out, std::string &buffer, const CSectionLog &record)
{
    // Never a line the reader rejects, whatever name was put into the record.
    std::string storage;
    const std::string_view name = logSectionKey(record.sectionName, storage);
    const std::size_t numbers = 6 + record.recentRuns.size() * 5;
    CNumberLine line(buffer, name.size() + 3 + numbers * CNumberLine::kMaxNumber);
    line.ch('"');
    line.text(name);
    line.text("\",");
    for (std::int32_t v : { record.correctCount, record.incorrectCount, record.firstStudyTime,
                            record.studyCount, record.totalStudySeconds, record.totalKeyCount }) {
        line.number(v);
        line.ch(',');
    }
    for (const DrillRunRecord &run : record.recentRuns) {
        for (std::int32_t v :
             { run.correct, run.incorrect, run.startTime, run.endTime, run.keyCount }) {
            line.number(v);
            line.ch(',');
        }
    }
    out.line(line.view());
}

template <typename Out> void writeRecord(Out &out, std::string &buffer, const CSectionLog &record)
{
    writeRecordLine(out, buffer, record);
    if (const std::optional<std::string_view> asRead = record.lazyTallies.lineAsRead()) {
        out.raw("ql=");
        out.keptLine(*asRead);
    } else {
        const auto &tallies = record.tallies();
        CNumberLine line(buffer,
                         3 + tallies.size() * QuestionTally::FieldCount * CNumberLine::kMaxNumber);
        line.text("ql=");
        for (const QuestionTally &tally : tallies) {
            for (int i = 0; i + 1 < QuestionTally::FieldCount; ++i) {
                line.number(tally.values[i]);
                line.ch('+');
            }
            line.number(tally.values[QuestionTally::FieldCount - 1]);
            line.ch('&');
        }
        out.line(line.view());
    }
    {
        CNumberLine line(buffer, 3 + 3 * CNumberLine::kMaxNumber);
        line.text("tm=");
        line.number(record.seriesSeed);
        line.ch(',');
        line.number(record.seriesDone);
        line.ch(',');
        line.number(record.lastSeriesCount);
        out.line(line.view());
    }
    {
        CNumberLine line(buffer, 3 + record.lastMissed.size() * CNumberLine::kMaxNumber);
        line.text("lm=");
        for (std::int32_t v : record.lastMissed) {
            line.number(v);
            line.ch('+');
        }
        out.line(line.view());
    }
}

// A rough size of the text, so that the buffer of a large log is allocated once.
std::size_t estimateSize(const CAnswerLog &log)
{
    std::size_t bytes = 0;
    for (const std::string &header : log.headerLines)
        bytes += header.size() + 2;
    for (const CUserLog &user : log.users) {
        bytes += user.name.size() + 4;
        for (const CSectionLog &record : user.sections) {
            bytes += record.sectionName.size() + 80 + record.recentRuns.size() * 40
                + record.lazyTallies.estimatedLineSize() + record.lastMissed.size() * 4;
        }
    }
    return bytes;
}

template <typename Out> void writeLog(const CAnswerLog &log, Out &out)
{
    out.reserve(estimateSize(log));
    const auto &headers = log.headerLines;
    for (std::size_t i = 0; i < headers.size(); ++i) {
        // An empty last line before no learner gets no line end, so that saving an empty
        // log again and again does not grow the file.
        if (i + 1 == headers.size() && headers[i].empty() && log.users.empty())
            break;
        out.line(headers[i]);
    }
    std::string buffer;
    std::string storage;
    for (const CUserLog &user : log.users) {
        out.line("[" + std::string(logLearnerKey(user.name, storage)) + "]");
        for (const CSectionLog &record : user.sections)
            writeRecord(out, buffer, record);
    }
}

} // namespace

// A failed load (missing file or a format fault anywhere) leaves the log exactly as it was:
// a reload that fails must not let the next save overwrite the file with half a log.
bool CAnswerLog::loadAnswerLog(std::string_view path)
{
    const FileStamp stamp = fileStampOf(path);
    m_faultLine = 0;
    const auto text = CMappedText::open(path);
    if (!text || !parseInto(*this, text, m_faultLine))
        return false;
    m_version.remember(stamp);
    m_unsaved.clear();
    return true;
}

bool CAnswerLog::loadAnswerLogText(std::string_view text)
{
    return parseInto(*this, CMappedText::hold(text), m_faultLine);
}

bool CAnswerLog::loadReadableRecords(std::string_view path)
{
    const FileStamp stamp = fileStampOf(path);
    std::size_t unused;
    const auto text = CMappedText::open(path);
    if (!text || !parseInto(*this, text, unused, true))
        return false;
    m_version.remember(stamp);
    m_unsaved.clear();
    return true;
}

std::string CAnswerLog::formatAnswerLog() const
{
    CLogText out;
    writeLog(*this, out);
    return out.take();
}

bool CAnswerLog::saveAnswerLog(std::string_view path) const
{
    CLogPieces out;
    writeLog(*this, out);
    return replaceFileAtomically(path, out.pieces());
}

} // namespace kvr
