// The one-line codec of a question: the empty line, the plain line (answer 1 alone) and the
// full "?" line of comma-separated, escaped fields.
#include <algorithm>

#include "db/dbcs.h"
#include "db/question.h"

namespace kvr {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kQuotedFieldCount = 8; // answers 1-5, question, hint, WAV; then extData

// Undoes the field escapes \\, \" and \n as units, left to right, so that a text ending in
// a backslash before a line end or holding \n literally comes back exactly as written.
std::string unescapeField(std::string_view raw)
{
    std::string text;
    text.reserve(raw.size());
    std::size_t pos = 0;
    while (pos < raw.size()) {
        if (raw[pos] == '\\' && pos + 1 < raw.size()) {
            const char next = raw[pos + 1];
            if (next == '\\' || next == '"') {
                text.push_back(next);
                pos += 2;
                continue;
            }
            if (next == 'n') {
                text.append(kLineEnd);
                pos += 2;
                continue;
            }
        }
        const std::size_t length = dbcs::charLength(raw, pos);
        text.append(raw.substr(pos, length));
        pos += length;
    }
    return text;
}

// A lead byte with no trail byte after it is broken text. Before a quote or a line end the
// escape's backslash would become its trail byte and the escape would be lost, so such a
// byte is stored as "?"; elsewhere it stands alone and reads back as it was.
void replaceLoneLeadBytes(std::string &text)
{
    for (std::size_t pos = 0; pos + 1 < text.size(); pos += dbcs::charLength(text, pos)) {
        const char next = text[pos + 1];
        if (cp932::isLeadByte(text[pos]) && (next == '"' || next == '\r' || next == '\n'))
            text[pos] = '?';
    }
}

std::string escapeField(std::string text)
{
    replaceLoneLeadBytes(text);
    replaceAllDbcs(text, "\\", "\\\\");
    replaceAllDbcs(text, "\"", "\\\"");
    replaceAllDbcs(text, kLineEnd, "\\n");
    // A bare line feed would split the stored line; it comes back as CR LF.
    replaceAllDbcs(text, "\n", "\\n");
    if (text.find(',') != std::string::npos) {
        text.insert(text.begin(), '"');
        text.push_back('"');
    }
    return text;
}

// The closing quote of a quoted field that starts at pos. Characters are walked whole, so
// the second byte of a double-byte character is never an escape, and an escaped backslash
// is one unit, so the quote after it closes the field.
std::size_t findClosingQuote(std::string_view line, std::size_t pos)
{
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == '"')
            return pos;
        if (c == '\\' && pos + 1 < line.size() && (line[pos + 1] == '\\' || line[pos + 1] == '"'))
            pos += 2;
        else
            pos += dbcs::charLength(line, pos);
    }
    return std::string_view::npos;
}

// Splits text at its first line ends into the given texts; the last takes the rest.
template <std::size_t N> void splitLines(std::string_view text, std::array<std::string, N> &parts)
{
    for (std::size_t i = 0; i + 1 < N; ++i) {
        const std::size_t end = text.find(kLineEnd);
        if (end == std::string_view::npos) {
            parts[i].assign(text);
            return;
        }
        parts[i].assign(text.substr(0, end));
        text.remove_prefix(end + kLineEnd.size());
    }
    parts[N - 1].assign(text);
}

void storeField(CQuestion &question, int index, std::string text)
{
    if (index < 5)
        question.answers[static_cast<std::size_t>(index)] = std::move(text);
    else if (index == 5)
        splitLines(text, question.questionLines);
    else if (index == 6)
        splitLines(text, question.hints);
    else
        question.wavFile = std::move(text);
}

// A bare answer is only stored as a plain line when it comes back as the same record: it
// must stay one line, must not look like a full line, and must not close its collection.
bool readsBackAsPlainLine(std::string_view answer)
{
    return answer.find('\n') == std::string_view::npos && answer.front() != '?'
        && !dbcs::startsWithIgnoringAsciiCase(answer, "</s>");
}

bool onlyFirstAnswer(const CQuestion &question)
{
    const auto empty = [](const std::string &t) { return t.empty(); };
    return std::all_of(question.questionLines.begin(), question.questionLines.end(), empty)
        && std::all_of(question.answers.begin() + 1, question.answers.end(), empty)
        && std::all_of(question.hints.begin(), question.hints.end(), empty)
        && question.wavFile.empty() && question.extData.empty();
}

std::string questionText(const CQuestion &question)
{
    std::string text = question.questionLines[0];
    if (!question.questionLines[1].empty()) {
        text.append(kLineEnd);
        text.append(question.questionLines[1]);
    }
    return text;
}

std::string hintText(const CQuestion &question)
{
    std::string text = question.hints[0];
    // An empty hint 2 keeps its separator when hint 3 follows, so hint 3 stays in place.
    if (!question.hints[1].empty() || !question.hints[2].empty()) {
        text.append(kLineEnd);
        text.append(question.hints[1]);
    }
    if (!question.hints[2].empty()) {
        text.append(kLineEnd);
        text.append(question.hints[2]);
    }
    return text;
}

} // namespace

bool parseQuestionLine(CQuestion &question, std::string_view line)
{
    question.clear();
    if (line.empty() || line.front() != '?')
        return false;
    std::size_t pos = 1;
    for (int index = 0; index < kQuotedFieldCount && pos < line.size(); ++index) {
        std::string_view raw;
        std::size_t comma;
        if (line[pos] == '"') {
            const std::size_t close = findClosingQuote(line, pos + 1);
            if (close == std::string_view::npos)
                return false;
            raw = line.substr(pos + 1, close - pos - 1);
            comma = line.find(',', close + 1);
        } else {
            comma = line.find(',', pos);
            raw = line.substr(pos, comma == std::string_view::npos ? comma : comma - pos);
        }
        storeField(question, index, unescapeField(raw));
        if (comma == std::string_view::npos)
            return true;
        pos = comma + 1;
    }
    if (pos < line.size())
        question.extData.assign(line.substr(pos));
    return true;
}

std::string formatQuestionLine(const CQuestion &question)
{
    const std::string &first = question.answers[0];
    if (onlyFirstAnswer(question)) {
        if (first.empty())
            return {};
        if (readsBackAsPlainLine(first))
            return first;
    }
    std::string line = "?";
    for (const std::string &answer : question.answers) {
        line += escapeField(answer);
        line += ',';
    }
    line += escapeField(questionText(question));
    line += ',';
    line += escapeField(hintText(question));
    line += ',';
    // Escaped although bare file names need none, so that any name survives a read.
    line += escapeField(question.wavFile);
    line += ',';
    line += question.extData;
    return line;
}

} // namespace kvr
