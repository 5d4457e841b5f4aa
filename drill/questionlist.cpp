#include "drill/questionlist.h"

#include <algorithm>
#include <charconv>

#include "db/question.h"
#include "db/questiondatabase.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

bool isQuestionLine(std::string_view line)
{
    return !line.empty() && line.front() == '?';
}

std::array<std::string, 2> expandedQuestionLines(const CQuestion &question)
{
    std::array<std::string, 2> lines = question.questionLines;
    for (std::string &line : lines)
        expandPartOfSpeech(line);
    return lines;
}

std::size_t longer(const std::array<std::string, 2> &lines)
{
    return std::max(lines[0].size(), lines[1].size());
}

std::string paddedTo(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

// The question does not fit its column: question lines, then every answer indented.
std::vector<std::string> narrowRows(const CQuestion &question,
                                    const std::array<std::string, 2> &lines, std::size_t width)
{
    std::vector<std::string> rows;
    for (const std::string &line : lines)
        if (!line.empty())
            rows.push_back(line);
    for (const std::string &answer : question.answers)
        if (!answer.empty())
            rows.push_back(std::string(width, ' ') + answer);
    return rows;
}

// Question line i beside answer i; answers are taken by position, so an answer at a
// position at or beyond the number of non-empty answers is not shown.
std::vector<std::string> fittingRows(const CQuestion &question,
                                     const std::array<std::string, 2> &lines, std::size_t width)
{
    const int answers = question.answerCount();
    const int count = std::max(answers, question.questionCount());
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
        std::string row = i < 2 ? lines[static_cast<std::size_t>(i)] : std::string();
        const std::string &answer = question.answers[static_cast<std::size_t>(i)];
        if (i < answers && !answer.empty())
            row = paddedTo(std::move(row), width) + answer;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::vector<std::string> questionRows(std::string_view line, int width)
{
    if (!isQuestionLine(line))
        return {};
    CQuestion question;
    parseQuestionLine(question, line); // a faulty line shows the fields decoded before the fault
    const std::array<std::string, 2> lines = expandedQuestionLines(question);
    const std::size_t column = static_cast<std::size_t>(std::max(width, 0));
    if (width - 5 < static_cast<int>(longer(lines)))
        return narrowRows(question, lines, column);
    return fittingRows(question, lines, column);
}

QuestionList buildQuestionList(const CSection &section, int width, bool blankRows)
{
    QuestionList list;
    std::size_t widest = 0;
    for (const std::string &line : section.lines) {
        for (std::string &row : questionRows(line, width)) {
            widest = std::max(widest, row.size());
            list.rows.push_back(std::move(row));
        }
        if (blankRows)
            list.rows.emplace_back();
    }
    list.extentPixels = static_cast<int>(widest) * kQuestionListPixelsPerChar;
    return list;
}

int autoCountWidth(const CSection &section)
{
    std::size_t longest = 0;
    for (const std::string &line : section.lines) {
        if (!isQuestionLine(line))
            continue;
        CQuestion question;
        parseQuestionLine(question, line);
        longest = std::max(longest, longer(expandedQuestionLines(question)));
    }
    return static_cast<int>(
        std::min<std::size_t>(longest + 5, static_cast<std::size_t>(kQuestionListMaxWidth)));
}

std::optional<int> parseQuestionListWidth(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()
        || value < kQuestionListMinWidth || value > kQuestionListMaxWidth)
        return std::nullopt;
    return value;
}

std::string integerRangeMessage(int minimum, int maximum)
{
    return formatText(cp932::text("%d から %d までの整数を入力してください。"), minimum, maximum);
}

std::string questionListCaption(std::string_view name)
{
    return std::string(name) + cp932::text(" - 問題一覧");
}

std::string questionListFileName(std::string_view name)
{
    return (name.empty() ? cp932::text("問題一覧") : std::string(name)) + ".txt";
}

bool exportQuestionList(const std::vector<std::string> &rows, std::string_view path,
                        IPrompter &prompter)
{
    CLineWriter out;
    for (const std::string &row : rows)
        out.line(row);
    if (replaceFileAtomically(path, out.contents()))
        return true;
    tellQuestionListExportFailed(prompter);
    return false;
}

void tellQuestionListExportFailed(IPrompter &prompter)
{
    Message message;
    message.text = cp932::text("作成できませんでした");
    message.caption = "ErrorDlg";
    message.icon = Icon::Information;
    prompter.ask(message);
}

} // namespace kvr
