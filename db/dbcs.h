#pragma once

#include <string_view>

#include "platform/cp932.h"

// Byte-level text helpers of the database file and the question-line codec.
namespace kvr::dbcs {

constexpr bool isTrailByte(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length of the character at text[pos]: 2 for a lead byte followed by a trail byte, else 1.
// A lead byte that is not followed by a trail byte (a broken or truncated character) stands
// alone, so it can never hide the quote, comma or line end after it.
inline std::size_t charLength(std::string_view text, std::size_t pos)
{
    if (cp932::isLeadByte(text[pos]) && pos + 1 < text.size()
        && isTrailByte(static_cast<unsigned char>(text[pos + 1])))
        return 2;
    return 1;
}

// A prefix test in which A-Z match a-z (lowerPrefix is given in lower case), made without a
// lowered copy of the text.
inline bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size())
        return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerPrefix[i])
            return false;
    }
    return true;
}

} // namespace kvr::dbcs
