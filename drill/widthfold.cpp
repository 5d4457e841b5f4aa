#include "drill/widthfold.h"

#include "platform/cp932.h"

namespace kvr {

namespace {

struct Folding
{
    unsigned char lead, trail;
    char ascii;
};

// The full-width punctuation of CP932 and the ASCII it stands for. The straight quotes have
// only the IBM and NEC-selected codes, both listed.
constexpr Folding kPunctuation[] = {
    { 0x81, 0x40, ' ' }, { 0x81, 0x43, ',' },  { 0x81, 0x44, '.' },  { 0x81, 0x46, ':' },
    { 0x81, 0x47, ';' }, { 0x81, 0x48, '?' },  { 0x81, 0x49, '!' },  { 0x81, 0x4D, '`' },
    { 0x81, 0x4F, '^' }, { 0x81, 0x51, '_' },  { 0x81, 0x5E, '/' },  { 0x81, 0x5F, '\\' },
    { 0x81, 0x60, '~' }, { 0x81, 0x62, '|' },  { 0x81, 0x65, '\'' }, { 0x81, 0x66, '\'' },
    { 0x81, 0x67, '"' }, { 0x81, 0x68, '"' },  { 0x81, 0x69, '(' },  { 0x81, 0x6A, ')' },
    { 0x81, 0x6D, '[' }, { 0x81, 0x6E, ']' },  { 0x81, 0x6F, '{' },  { 0x81, 0x70, '}' },
    { 0x81, 0x7B, '+' }, { 0x81, 0x7C, '-' },  { 0x81, 0x81, '=' },  { 0x81, 0x83, '<' },
    { 0x81, 0x84, '>' }, { 0x81, 0x90, '$' },  { 0x81, 0x93, '%' },  { 0x81, 0x94, '#' },
    { 0x81, 0x95, '&' }, { 0x81, 0x96, '*' },  { 0x81, 0x97, '@' },  { 0xEE, 0xFB, '\'' },
    { 0xEE, 0xFC, '"' }, { 0xFA, 0x56, '\'' }, { 0xFA, 0x57, '"' },
};

// The half-width character of one double-byte character, or 0 when it has none.
char halfWidth(unsigned char lead, unsigned char trail)
{
    if (lead == 0x82) {
        if (trail >= 0x4F && trail <= 0x58)
            return static_cast<char>('0' + (trail - 0x4F));
        if (trail >= 0x60 && trail <= 0x79)
            return static_cast<char>('A' + (trail - 0x60));
        if (trail >= 0x81 && trail <= 0x9A)
            return static_cast<char>('a' + (trail - 0x81));
        return 0;
    }
    for (const Folding &folding : kPunctuation) {
        if (folding.lead == lead && folding.trail == trail)
            return folding.ascii;
    }
    return 0;
}

} // namespace

std::string foldFullWidth(std::string_view cp932)
{
    std::string folded;
    folded.reserve(cp932.size());
    for (std::size_t pos = 0; pos < cp932.size();) {
        const std::size_t length = cp932::charLength(cp932, pos);
        const char half = length == 2 ? halfWidth(static_cast<unsigned char>(cp932[pos]),
                                                  static_cast<unsigned char>(cp932[pos + 1]))
                                      : 0;
        if (half != 0)
            folded += half;
        else
            folded.append(cp932.substr(pos, length));
        pos += length;
    }
    return folded;
}

} // namespace kvr
