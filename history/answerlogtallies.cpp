// The tallies of a record, decoded on first use.
#include <cstring>

#include "history/answerlog.h"
#include "history/answerlogtallyline.h"
#include "platform/mappedtext.h"

namespace kvr {

namespace {

bool isDigit(char c)
{
    return static_cast<unsigned char>(c) - unsigned('0') <= 9;
}

// A value of ten digits, the most a 32-bit int has, within its range.
bool fitsInt32(const char *digits, bool negative)
{
    return std::memcmp(digits, negative ? "2147483648" : "2147483647", 10) <= 0;
}

} // namespace

bool writtenBackUnchanged(std::string_view text)
{
    const char *p = text.data();
    const char *const end = p + text.size();
    for (std::size_t entries = 0; p != end; ++entries) {
        if (entries == kMaxQuestionTallies)
            return false;
        for (int i = 0; i < QuestionTally::FieldCount; ++i) {
            const bool negative = *p == '-';
            if (negative && ++p == end)
                return false;
            const char *const start = p;
            if (*p == '0') {
                if (negative) // "-0" reads as 0 and is written "0"
                    return false;
                ++p;
            } else {
                while (p != end && isDigit(*p))
                    ++p;
                const auto length = p - start;
                if (length == 0 || length > 10 || (length == 10 && !fitsInt32(start, negative)))
                    return false;
            }
            if (p == end || *p++ != (i + 1 == QuestionTally::FieldCount ? '&' : '+'))
                return false;
        }
    }
    return true;
}

std::vector<QuestionTally> &CLazyTallies::get()
{
    decode();
    // The caller may change them: the line as read no longer stands for them.
    m_text.reset();
    m_line = {};
    m_writesBack = -1;
    return m_values;
}

const std::vector<QuestionTally> &CLazyTallies::get() const
{
    decode();
    return m_values;
}

void CLazyTallies::decode() const
{
    if (m_decoded || !m_text)
        return;
    if (m_text->unchanged())
        decodeTallyLine(m_line, m_values);
    m_decoded = true;
}

void CLazyTallies::keepLine(std::shared_ptr<const CMappedText> text, std::string_view line)
{
    m_values.clear();
    m_text = std::move(text);
    m_line = line;
    m_decoded = false;
    m_writesBack = -1;
}

std::optional<std::string_view> CLazyTallies::lineAsRead() const
{
    if (!m_text || !m_text->unchanged())
        return std::nullopt;
    if (m_writesBack < 0)
        m_writesBack = writtenBackUnchanged(m_line) ? 1 : 0;
    return m_writesBack ? std::optional(m_line) : std::nullopt;
}

std::size_t CLazyTallies::estimatedLineSize() const
{
    return m_text && !m_decoded ? m_line.size() : m_values.size() * 20;
}

} // namespace kvr
