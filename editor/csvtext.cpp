// Decoding and splitting of separated-value text.
#include "editor/csvtext.h"

#include <cstdint>

#include "platform/cp932.h"

namespace kvr {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at pos, or 0 when there is none.
std::size_t utf8Length(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, c = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// Valid sequences kept, each broken byte made U+FFFD; valid is cleared on the first one.
std::string cleanUtf8(std::string_view text, bool &valid)
{
    std::string out;
    out.reserve(text.size());
    valid = true;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = utf8Length(text, pos);
        if (length == 0) {
            valid = false;
            appendUtf8(out, kReplacement);
            ++pos;
            continue;
        }
        out.append(text.substr(pos, length));
        pos += length;
    }
    return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, (c >= 0xD800 && c <= 0xDFFF) ? kReplacement : c);
    }
    if (i < bytes.size()) // an odd byte at the end
        appendUtf8(out, kReplacement);
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

DecodedText decodeText(std::string_view bytes)
{
    bool valid = true;
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return { cleanUtf8(bytes.substr(3), valid), TextEncoding::Utf8Bom };
    if (startsWith(bytes, "\xFF\xFE"))
        return { utf16ToUtf8(bytes.substr(2), false), TextEncoding::Utf16Le };
    if (startsWith(bytes, "\xFE\xFF"))
        return { utf16ToUtf8(bytes.substr(2), true), TextEncoding::Utf16Be };
    std::string utf8 = cleanUtf8(bytes, valid);
    if (valid)
        return { std::move(utf8), TextEncoding::Utf8 };
    return { cp932::toUtf8(bytes), TextEncoding::Cp932 };
}

std::vector<CsvRecord> parseCsv(std::string_view text, char separator, std::size_t maxRecords,
                                std::size_t firstLine)
{
    std::vector<CsvRecord> records;
    CsvRecord record { firstLine, {} };
    std::string field;
    std::size_t line = firstLine;
    bool quoted = false; // inside a quoted field
    bool fieldStarted = false; // some character of the field was read
    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        endField();
        bool blank = true;
        for (const std::string &f : record.fields)
            blank = blank && f.empty();
        if (!blank)
            records.push_back(std::move(record));
        record = CsvRecord { line, {} };
    };
    for (std::size_t pos = 0; pos < text.size() && records.size() < maxRecords; ++pos) {
        const char c = text[pos];
        const bool lineEnd = c == '\n' || c == '\r';
        if (lineEnd && c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
            ++pos;
        if (lineEnd)
            ++line;
        if (quoted) {
            if (c != '"')
                field += lineEnd ? '\n' : c;
            else if (pos + 1 < text.size() && text[pos + 1] == '"')
                field += '"', ++pos;
            else
                quoted = false;
        } else if (c == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            endField();
        } else if (lineEnd) {
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (records.size() < maxRecords && (fieldStarted || !record.fields.empty()))
        endRecord();
    return records;
}

char detectSeparator(std::string_view text)
{
    constexpr std::size_t kSample = 20;
    char best = '\t';
    std::size_t bestScore = 0;
    for (char separator : { '\t', ',', ';' }) {
        const std::vector<CsvRecord> records = parseCsv(text, separator, kSample);
        if (records.empty() || records.front().fields.size() < 2)
            continue;
        std::size_t score = 0;
        for (const CsvRecord &record : records)
            score += record.fields.size() == records.front().fields.size();
        if (score > bestScore) {
            best = separator;
            bestScore = score;
        }
    }
    return best;
}

} // namespace kvr
