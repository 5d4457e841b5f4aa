// The edit fields and part-of-speech buttons of the editor's current question.
#include "editor/questionfields.h"

#include <algorithm>
#include <array>

#include "editor/textrules.h"
#include "platform/cp932.h"

namespace kvr {

namespace {

constexpr std::string_view kCrLf = "\r\n";

struct ButtonRow
{
    const char *label;
    std::string_view tag;
};

constexpr std::array<ButtonRow, kPartOfSpeechCount> kButtons = { {
    { "名詞", "%no" },
    { "動詞", "%ve" },
    { "形容詞", "%aj" },
    { "副詞", "%av" },
    { "代名詞", "%pn" },
    { "熟語", "%id" },
    { "前置詞", "%pp" },
    { "その他", "%ot" },
} };

constexpr std::array<PartOfSpeech, kPartOfSpeechCount> kShiftKeyOrder = {
    PartOfSpeech::Noun,        PartOfSpeech::Verb,  PartOfSpeech::Adjective, PartOfSpeech::Adverb,
    PartOfSpeech::Preposition, PartOfSpeech::Idiom, PartOfSpeech::Pronoun,   PartOfSpeech::Other,
};

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Splits at the first line end: the text before it and the rest after it.
std::pair<std::string, std::string> splitFirstLine(std::string_view text)
{
    const std::size_t end = text.find(kCrLf);
    if (end == std::string_view::npos)
        return { std::string(text), {} };
    return { std::string(text.substr(0, end)), std::string(text.substr(end + kCrLf.size())) };
}

bool holdsMoreThanFirstAnswer(const CQuestion &question, int answerNumber)
{
    return question.questionCount() > 0 || question.hintCount() > 0 || !question.wavFile.empty()
        || question.answerCount() > 1 || answerNumber != 1;
}

} // namespace

std::string partOfSpeechLabel(PartOfSpeech part)
{
    return cp932::text(kButtons[static_cast<std::size_t>(part)].label);
}

std::string_view partOfSpeechTag(PartOfSpeech part)
{
    return kButtons[static_cast<std::size_t>(part)].tag;
}

std::optional<PartOfSpeech> partOfSpeechOfShiftKey(int functionKey)
{
    if (functionKey < 1 || functionKey > kPartOfSpeechCount)
        return std::nullopt;
    return kShiftKeyOrder[static_cast<std::size_t>(functionKey - 1)];
}

std::string_view questionTag(std::string_view line1)
{
    if (line1.size() >= 3 && line1[0] == '%' && isAsciiLetter(line1[1]) && isAsciiLetter(line1[2]))
        return line1.substr(0, 3);
    return {};
}

std::optional<PartOfSpeech> markedPartOfSpeech(std::string_view line1)
{
    const std::string_view tag = questionTag(line1);
    if (tag.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const std::string_view own = kButtons[i].tag;
        if (upper(tag[1]) == upper(own[1]) && upper(tag[2]) == upper(own[2]))
            return static_cast<PartOfSpeech>(i);
    }
    return std::nullopt;
}

std::string tagAfterPressing(std::string_view line1, PartOfSpeech part)
{
    if (markedPartOfSpeech(line1) == part)
        return {};
    return std::string(partOfSpeechTag(part));
}

void PrintTo(const EditFields &fields, std::ostream *os)
{
    *os << "{answer \"" << cp932::toUtf8(fields.answer) << "\", question \""
        << cp932::toUtf8(fields.question) << "\", hint \"" << cp932::toUtf8(fields.hint) << "\"}";
}

EditFields editFieldsOf(const CQuestion &question, int answerNumber)
{
    EditFields fields;
    const int index = std::clamp(answerNumber, 1, kAnswerNumberCount) - 1;
    fields.answer = question.answers[static_cast<std::size_t>(index)];
    const std::string &line1 = question.questionLines[0];
    fields.question = line1.substr(questionTag(line1).size());
    if (!question.questionLines[1].empty()) {
        fields.question.append(kCrLf);
        fields.question.append(question.questionLines[1]);
    }
    const auto &hints = question.hints;
    fields.hint = hints[0];
    if (!hints[1].empty() || !hints[2].empty()) {
        fields.hint.append(kCrLf);
        fields.hint.append(hints[1]);
    }
    if (!hints[2].empty()) {
        fields.hint.append(kCrLf);
        fields.hint.append(hints[2]);
    }
    return fields;
}

void writeFieldsBack(CQuestion &question, const EditFields &fields, int answerNumber,
                     std::string_view tag)
{
    auto [line1, line2] = splitFirstLine(withCrLf(fields.question));
    question.questionLines = { std::string(tag) + line1, std::move(line2) };
    auto [hint1, rest] = splitFirstLine(withCrLf(fields.hint));
    auto [hint2, hint3] = splitFirstLine(rest);
    question.hints = { std::move(hint1), std::move(hint2), std::move(hint3) };
    const int index = std::clamp(answerNumber, 1, kAnswerNumberCount) - 1;
    question.answers[static_cast<std::size_t>(index)] = fields.answer;
    if (!holdsMoreThanFirstAnswer(question, answerNumber))
        return;
    for (std::string &answer : question.answers) {
        if (answer.starts_with("# "))
            answer.erase(0, 2);
    }
}

bool isEmptyQuestion(const CQuestion &question)
{
    return question == CQuestion();
}

CQuestion decodeEditorLine(std::string_view line)
{
    CQuestion question;
    if (!line.empty() && line.front() == '?')
        parseQuestionLine(question, line); // a broken line shows what could be decoded
    else
        question.answers[0] = std::string(line);
    return question;
}

} // namespace kvr
