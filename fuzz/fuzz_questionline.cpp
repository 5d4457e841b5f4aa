// The question-line codec: any line decodes without harm, and a decoded record encodes to a
// line that decodes to the same record (for broken CP932: to a record that then stays).
#include <algorithm>

#include "db/dbcs.h"
#include "db/question.h"
#include "fuzz/fuzzsupport.h"

using namespace kvr;

namespace {

bool onlyFirstAnswer(const CQuestion &question)
{
    CQuestion rest = question;
    rest.answers[0].clear();
    return rest == CQuestion();
}

// Text with a lead byte that no trail byte follows is broken; such a byte before a quote or
// a line end is stored as "?", so broken text promises a stable line, not the same record.
bool holdsBrokenLeadByte(const CQuestion &question)
{
    const auto broken = [](const std::string &text) {
        for (std::size_t pos = 0; pos < text.size(); pos += dbcs::charLength(text, pos)) {
            if (cp932::isLeadByte(text[pos]) && dbcs::charLength(text, pos) == 1)
                return true;
        }
        return false;
    };
    return std::any_of(question.questionLines.begin(), question.questionLines.end(), broken)
        || std::any_of(question.answers.begin(), question.answers.end(), broken)
        || std::any_of(question.hints.begin(), question.hints.end(), broken)
        || broken(question.wavFile) || broken(question.extData);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view line = fuzz::asText(data, size);
    CQuestion question;
    const bool decoded = parseQuestionLine(question, line);
    if (line.empty() || line.front() != '?') {
        KVR_FUZZ_CHECK(!decoded);
        KVR_FUZZ_CHECK(question == CQuestion());
    }
    // Stored lines never hold a line feed; only such lines promise a faithful round trip.
    if (!decoded || line.find('\n') != std::string_view::npos)
        return 0;

    const std::string encoded = formatQuestionLine(question);
    KVR_FUZZ_CHECK(encoded.find('\n') == std::string::npos);
    // A collection's line never closes the collection.
    KVR_FUZZ_CHECK(!dbcs::startsWithIgnoringAsciiCase(encoded, "</s>"));
    if (encoded.empty()) {
        KVR_FUZZ_CHECK(question == CQuestion());
        return 0;
    }
    if (encoded.front() != '?') {
        KVR_FUZZ_CHECK(onlyFirstAnswer(question));
        KVR_FUZZ_CHECK(encoded == question.answers[0]);
        return 0;
    }
    CQuestion back;
    KVR_FUZZ_CHECK(parseQuestionLine(back, encoded));
    KVR_FUZZ_CHECK(back == question || holdsBrokenLeadByte(question));
    KVR_FUZZ_CHECK(formatQuestionLine(back) == encoded); // stored once, the line stays
    // A full line always holds its eight field separators.
    KVR_FUZZ_CHECK(std::count(encoded.begin(), encoded.end(), ',') >= 8);
    return 0;
}
