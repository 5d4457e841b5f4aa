#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// Text files from spreadsheets and other programs: the encoding guessed from the bytes, the
// separator guessed from the first records, and fields split as RFC 4180 has them.
namespace kvr {

enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Cp932 };

struct DecodedText
{
    std::string utf8; // with any byte order mark removed; broken sequences as U+FFFD
    TextEncoding encoding = TextEncoding::Utf8;
};

// A byte order mark decides (UTF-8, UTF-16 little or big endian); without one, text that is
// valid UTF-8 is UTF-8 and anything else CP932.
DecodedText decodeText(std::string_view bytes);

// One record: its fields and the line (1-based) it starts on.
struct CsvRecord
{
    std::size_t line = 0;
    std::vector<std::string> fields;

    bool operator==(const CsvRecord &) const = default;
};

// Splits text (UTF-8 or CP932: neither puts a separator, quote or line end inside a
// character) into records. A field that begins with '"' runs to the next lone '"' and may
// hold separators and line ends; '""' inside it is one '"'. Records end at CR LF, LF or CR;
// blank records are left out. At most maxRecords records are read. Line numbers start at
// firstLine.
std::vector<CsvRecord> parseCsv(std::string_view text, char separator,
                                std::size_t maxRecords = std::numeric_limits<std::size_t>::max(),
                                std::size_t firstLine = 1);

// Tab, comma or semicolon: the one that splits the first records into the same number (more
// than one) of fields most often, tab before comma before semicolon when they tie; tab when
// none splits anything.
char detectSeparator(std::string_view text);

} // namespace kvr
