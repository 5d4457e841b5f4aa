#include "platform/cp932.h"

#include <cassert>
#include <cerrno>
#include <cstdint>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace kvr::cp932 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 character at pos; invalid or truncated sequences give U+FFFD and
// consume one byte.
char32_t nextUtf8(std::string_view s, std::size_t &pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + extra >= s.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t minimum[] = { 0, 0x80, 0x800, 0x10000 };
    if (c < minimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += extra + 1;
    return c;
}

#ifdef _WIN32
// One character of CP932 (1 or 2 bytes) to a code point; 0 when not mappable.
char32_t decodeChar(const char *bytes, int length)
{
    wchar_t wide[2];
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
    return n == 1 ? static_cast<char32_t>(wide[0]) : 0;
}

bool encodeChar(char32_t c, std::string &out)
{
    if (c > 0xFFFF)
        return false;
    const wchar_t wide = static_cast<wchar_t>(c);
    char bytes[4];
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 4, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    out.append(bytes, n);
    return true;
}
#else
// iconv descriptors are costly to open, so each direction keeps one per thread.
class Converter
{
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    // Converts exactly one input character; false when it has no mapping.
    bool convert(const char *in, std::size_t length, char *out, std::size_t &outLength)
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return false;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char *src = const_cast<char *>(in);
        std::size_t srcLeft = length;
        char *dst = out;
        std::size_t dstLeft = outLength;
        const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
        if (rc == static_cast<std::size_t>(-1) || srcLeft != 0 || rc != 0)
            return false;
        outLength -= dstLeft;
        return true;
    }

private:
    iconv_t m_cd;
};

char32_t decodeChar(const char *bytes, int length)
{
    thread_local Converter decoder("UTF-32LE", "CP932");
    unsigned char out[8];
    std::size_t outLength = sizeof out;
    if (!decoder.convert(bytes, static_cast<std::size_t>(length), reinterpret_cast<char *>(out),
                         outLength)
        || outLength != 4)
        return 0;
    return static_cast<char32_t>(out[0]) | (static_cast<char32_t>(out[1]) << 8)
        | (static_cast<char32_t>(out[2]) << 16) | (static_cast<char32_t>(out[3]) << 24);
}

bool encodeChar(char32_t c, std::string &out)
{
    thread_local Converter encoder("CP932", "UTF-32LE");
    const unsigned char in[4] = { static_cast<unsigned char>(c & 0xFF),
                                  static_cast<unsigned char>((c >> 8) & 0xFF),
                                  static_cast<unsigned char>((c >> 16) & 0xFF),
                                  static_cast<unsigned char>((c >> 24) & 0xFF) };
    char bytes[8];
    std::size_t length = sizeof bytes;
    if (!encoder.convert(reinterpret_cast<const char *>(in), 4, bytes, length) || length == 0)
        return false;
    out.append(bytes, length);
    return true;
}
#endif

// Full-width letters: Ａ-Ｚ are 82 60-82 79, ａ-ｚ are 82 81-82 9A.
constexpr unsigned char kWideLead = 0x82;
constexpr unsigned char kWideLowerFirst = 0x81;
constexpr unsigned char kWideLowerLast = 0x9A;
constexpr unsigned char kWideCaseShift = 0x21;

} // namespace

std::size_t charLength(std::string_view text, std::size_t pos)
{
    return isLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

std::size_t fittingPrefix(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + charLength(text, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return end;
}

std::string cutForDisplay(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return std::string(text);
    const std::string ellipsis = cp932::text("…");
    const std::size_t room = maxBytes > ellipsis.size() ? maxBytes - ellipsis.size() : 0;
    std::string cut(text.substr(0, fittingPrefix(text, room)));
    cut += ellipsis;
    return cut;
}

std::size_t charCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos))
        ++count;
    return count;
}

std::string toUtf8(std::string_view cp932)
{
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    for (std::size_t pos = 0; pos < cp932.size();) {
        const auto b = static_cast<unsigned char>(cp932[pos]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++pos;
            continue;
        }
        const std::size_t length = charLength(cp932, pos);
        char32_t c = decodeChar(cp932.data() + pos, static_cast<int>(length));
        if (c == 0 && length == 2) {
            // An undecodable pair: replace the lead byte alone so that an ASCII trail byte
            // is not swallowed.
            c = kReplacement;
            pos += isLeadByte(cp932[pos]) && static_cast<unsigned char>(cp932[pos + 1]) >= 0x40 ? 2
                                                                                                : 1;
        } else {
            pos += length;
        }
        appendUtf8(out, c == 0 ? kReplacement : c);
    }
    return out;
}

Encoded fromUtf8(std::string_view utf8)
{
    Encoded result;
    result.bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = nextUtf8(utf8, pos);
        if (c < 0x80) {
            result.bytes.push_back(static_cast<char>(c));
        } else if (c == kReplacement || !encodeChar(c, result.bytes)) {
            result.bytes.push_back('?');
            result.unmappable.push_back(c);
        }
    }
    return result;
}

namespace {

constexpr unsigned char kNativeByteLead = 0xF9;
constexpr unsigned char kNativeByteTrailsLow = 0x7F - 0x40; // 0x40…0x7E, then from 0x80

void appendNativeByte(std::string &out, unsigned char byte)
{
    const unsigned index = byte - 0x80u;
    out.push_back(static_cast<char>(kNativeByteLead));
    out.push_back(static_cast<char>(
        index < kNativeByteTrailsLow ? 0x40 + index : 0x80 + index - kNativeByteTrailsLow));
}

// The byte a kept-byte character stands for, or nothing.
std::optional<unsigned char> nativeByteAt(std::string_view text, std::size_t pos)
{
    if (pos + 1 >= text.size() || static_cast<unsigned char>(text[pos]) != kNativeByteLead)
        return std::nullopt;
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    if (trail >= 0x40 && trail <= 0x7E)
        return static_cast<unsigned char>(0x80 + trail - 0x40);
    if (trail >= 0x80 && trail < 0x80 + 0x80 - kNativeByteTrailsLow)
        return static_cast<unsigned char>(0x80 + kNativeByteTrailsLow + trail - 0x80);
    return std::nullopt;
}

} // namespace

std::string fromNativePath(std::string_view native)
{
    std::string out;
    out.reserve(native.size());
    for (std::size_t pos = 0; pos < native.size();) {
        const std::size_t start = pos;
        const char32_t c = nextUtf8(native, pos);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const std::size_t before = out.size();
        // A user-defined character of row F9 in the name itself keeps its bytes too, so
        // that the way back cannot take it for a kept byte.
        if (c == kReplacement || !encodeChar(c, out) || nativeByteAt(out, before)) {
            out.resize(before);
            for (std::size_t i = start; i < pos; ++i)
                appendNativeByte(out, static_cast<unsigned char>(native[i]));
        }
    }
    return out;
}

std::string toNativePath(std::string_view cp932Path)
{
    std::string out;
    out.reserve(cp932Path.size() * 3 / 2);
    std::size_t run = 0; // start of the plain text not yet converted
    std::size_t pos = 0;
    while (pos < cp932Path.size()) {
        const std::optional<unsigned char> byte = nativeByteAt(cp932Path, pos);
        if (!byte) {
            pos += charLength(cp932Path, pos);
            continue;
        }
        out += toUtf8(cp932Path.substr(run, pos - run));
        out.push_back(static_cast<char>(*byte));
        pos += 2;
        run = pos;
    }
    out += toUtf8(cp932Path.substr(run));
    return out;
}

std::string text(std::string_view utf8)
{
    Encoded encoded = fromUtf8(utf8);
    assert(encoded.ok() && "a built-in text must be representable in CP932");
    return std::move(encoded.bytes);
}

std::string toUpper(std::string_view cp932)
{
    std::string out(cp932);
    for (std::size_t pos = 0; pos < out.size();) {
        const auto b = static_cast<unsigned char>(out[pos]);
        const std::size_t length = charLength(out, pos);
        if (length == 1 && b >= 'a' && b <= 'z') {
            out[pos] = static_cast<char>(b - 'a' + 'A');
        } else if (length == 2 && b == kWideLead) {
            const auto t = static_cast<unsigned char>(out[pos + 1]);
            if (t >= kWideLowerFirst && t <= kWideLowerLast)
                out[pos + 1] = static_cast<char>(t - kWideCaseShift);
        }
        pos += length;
    }
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && toUpper(a) == toUpper(b);
}

} // namespace kvr::cp932
