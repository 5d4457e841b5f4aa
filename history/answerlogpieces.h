#pragma once

// Where the log's writer puts a save's text: gathered whole (formatAnswerLog), or as pieces
// for the file (saveAnswerLog), where a tally line written back as read is not copied.

#include <string>
#include <string_view>
#include <vector>

#include "platform/textfile.h"

namespace kvr {

// The text of a save as pieces: what is written here is gathered in one buffer, and a
// tally line written back as read is a view of the log's own text, not a copy.
class CLogPieces
{
public:
    void line(std::string_view text)
    {
        m_text.append(text);
        m_text.append("\r\n", 2);
    }
    void raw(std::string_view text) { m_text.append(text); }
    void reserve(std::size_t) { }
    void keptLine(std::string_view text)
    {
        m_kept.push_back({ m_text.size(), text });
        m_text.append("\r\n", 2);
    }
    // Valid while this object lives and is not changed.
    std::vector<std::string_view> pieces() const
    {
        std::vector<std::string_view> out;
        out.reserve(2 * m_kept.size() + 1);
        const std::string_view text = m_text;
        std::size_t from = 0;
        for (const Kept &kept : m_kept) {
            out.push_back(text.substr(from, kept.at - from));
            out.push_back(kept.text);
            from = kept.at;
        }
        out.push_back(text.substr(from));
        return out;
    }

private:
    struct Kept
    {
        std::size_t at; // where in m_text it goes
        std::string_view text;
    };
    std::string m_text;
    std::vector<Kept> m_kept;
};

// The same calls, gathering the whole text.
class CLogText : public CLineWriter
{
public:
    void keptLine(std::string_view text) { line(text); }
};

} // namespace kvr
