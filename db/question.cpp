#include "db/question.h"

#include <algorithm>

#include "db/dbcs.h"
#include "platform/cp932.h"
#include "platform/error.h"

namespace kvr {

namespace {

template <std::size_t N>
const std::string &checkedAt(const std::array<std::string, N> &texts, int index,
                             const char *errorText)
{
    if (index < 0 || index >= static_cast<int>(N))
        throw KvrError(errorText);
    return texts[static_cast<std::size_t>(index)];
}

template <std::size_t N> int nonEmptyCount(const std::array<std::string, N> &texts)
{
    return static_cast<int>(
        std::count_if(texts.begin(), texts.end(), [](const auto &t) { return !t.empty(); }));
}

struct PartOfSpeechMarker
{
    std::string_view marker;
    std::string label;
};

// The labels are stored as CP932, so they are converted once on first use.
const std::array<PartOfSpeechMarker, 9> &partOfSpeechMarkers()
{
    static const std::array<PartOfSpeechMarker, 9> markers {
        PartOfSpeechMarker { "%no", cp932::text("【名詞】") },
        PartOfSpeechMarker { "%ve", cp932::text("【動詞】") },
        PartOfSpeechMarker { "%aj", cp932::text("【形容詞】") },
        PartOfSpeechMarker { "%ad", cp932::text("【形容詞】") },
        PartOfSpeechMarker { "%av", cp932::text("【副詞】") },
        PartOfSpeechMarker { "%pp", cp932::text("【前置詞】") },
        PartOfSpeechMarker { "%pn", cp932::text("【代名詞】") },
        PartOfSpeechMarker { "%id", cp932::text("【熟語】") },
        PartOfSpeechMarker { "%ot", cp932::text("【その他】") },
    };
    return markers;
}

} // namespace

const std::string &CQuestion::getQuestion(int index) const
{
    return checkedAt(questionLines, index, "out of index (at getQuestion)");
}

const std::string &CQuestion::getAnswer(int index) const
{
    return checkedAt(answers, index, "out of index (at getAnswer)");
}

const std::string &CQuestion::getHint(int index) const
{
    return checkedAt(hints, index, "out of index (at getHint)");
}

int CQuestion::questionCount() const
{
    return nonEmptyCount(questionLines);
}

int CQuestion::answerCount() const
{
    return nonEmptyCount(answers);
}

int CQuestion::hintCount() const
{
    return nonEmptyCount(hints);
}

void CQuestion::clear()
{
    *this = CQuestion();
}

int replaceAllDbcs(std::string &text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return 0;
    // Most texts hold no match at all, so nothing is copied until the first one.
    std::string result;
    int count = 0;
    std::size_t copiedUpTo = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (std::string_view(text).substr(pos, from.size()) == from) {
            if (count == 0)
                result.reserve(text.size() + to.size());
            result.append(text, copiedUpTo, pos - copiedUpTo);
            result.append(to);
            pos += from.size();
            copiedUpTo = pos;
            ++count;
        } else {
            pos += dbcs::charLength(text, pos);
        }
    }
    if (count > 0) {
        result.append(text, copiedUpTo, std::string::npos);
        text = std::move(result);
    }
    return count;
}

bool expandPartOfSpeech(std::string &text)
{
    int count = 0;
    for (const PartOfSpeechMarker &m : partOfSpeechMarkers())
        count += replaceAllDbcs(text, m.marker, m.label);
    return count > 0;
}

bool stripPartOfSpeech(std::string &text)
{
    int count = 0;
    for (const PartOfSpeechMarker &m : partOfSpeechMarkers())
        count += replaceAllDbcs(text, m.marker, {});
    return count > 0;
}

} // namespace kvr
