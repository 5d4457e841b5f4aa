#include "drill/drilldisplay.h"

#include "db/question.h"
#include "platform/cp932.h"

namespace kvr {

namespace {

std::vector<std::string> nonEmpty(const auto &texts)
{
    std::vector<std::string> result;
    for (const std::string &text : texts) {
        if (!text.empty())
            result.push_back(text);
    }
    return result;
}

std::string joined(const std::vector<std::string> &texts, std::string_view sep)
{
    std::string result;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            result += sep;
        result += texts[i];
    }
    return result;
}

} // namespace

std::array<std::string, 2> twoLineForm(const std::vector<std::string> &texts)
{
    std::array<std::vector<std::string>, 2> lines;
    const double half = static_cast<double>(texts.size()) * 0.5;
    for (std::size_t j = 0; j < texts.size(); ++j)
        lines[half > static_cast<double>(j) ? 0 : 1].push_back(texts[j]);
    return { joined(lines[0], "/"), joined(lines[1], "/") };
}

std::array<std::string, 2> questionBand(DrillMode mode, const CQuestion &question)
{
    switch (mode) {
    case DrillMode::JapaneseToEnglishTyped:
    case DrillMode::SpeedReply: {
        std::array<std::string, 2> band = question.questionLines;
        for (std::string &line : band)
            expandPartOfSpeech(line);
        return band;
    }
    case DrillMode::EnglishToJapaneseTyped:
    case DrillMode::EnglishToJapaneseChoice:
        return twoLineForm(nonEmpty(question.answers));
    case DrillMode::JapaneseToEnglishChoice: {
        // Expanded too: a part-of-speech code is never shown to the learner.
        std::vector<std::string> lines = nonEmpty(question.questionLines);
        for (std::string &line : lines)
            expandPartOfSpeech(line);
        return twoLineForm(lines);
    }
    }
    return {};
}

std::string bandText(const std::array<std::string, 2> &band)
{
    return joined(nonEmpty(band), " ");
}

std::string joinedAnswers(const CQuestion &question, std::string_view sep)
{
    return joined(nonEmpty(question.answers), sep);
}

std::string joinedHints(const CQuestion &question)
{
    return joined(nonEmpty(question.hints), "\r\n");
}

int wordCount(std::string_view text)
{
    int words = 0;
    bool inWord = false;
    for (char c : text) {
        if (c == ' ') {
            inWord = false;
        } else if (!inWord) {
            inWord = true;
            ++words;
        }
    }
    return words;
}

std::string defaultInstruction(DrillMode mode)
{
    switch (mode) {
    case DrillMode::JapaneseToEnglishTyped:
    case DrillMode::SpeedReply:
        return cp932::text("日本語を英語に訳そう！");
    case DrillMode::EnglishToJapaneseTyped:
        return cp932::text("英語を日本語に訳そう！");
    case DrillMode::EnglishToJapaneseChoice:
        return cp932::text("英語に対応する日本語を選ぼう！");
    case DrillMode::JapaneseToEnglishChoice:
        return cp932::text("日本語に対応する英語を選ぼう！");
    }
    return {};
}

std::string drillCaption(std::string_view sectionPath)
{
    std::string caption = "Kelvora (Translate Window)";
    caption += "  - ";
    caption += sectionPath;
    caption += " -";
    return caption;
}

} // namespace kvr
