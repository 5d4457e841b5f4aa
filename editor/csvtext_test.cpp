#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "editor/csvtext.h"

namespace kvr {
namespace {

using Strings = std::vector<std::string>;

TEST(CsvText, DecodesEachEncodingToUtf8)
{
    const std::string ringo = "\xE3\x82\x8A\xE3\x82\x93\xE3\x81\x94"; // りんご
    struct Row
    {
        const char *name;
        std::string bytes;
        TextEncoding encoding;
        std::string text;
    } rows[] = {
        { "ascii", "a,b", TextEncoding::Utf8, "a,b" },
        { "utf-8", ringo, TextEncoding::Utf8, ringo },
        { "utf-8 bom", "\xEF\xBB\xBF" + ringo, TextEncoding::Utf8Bom, ringo },
        { "utf-16le", std::string("\xFF\xFE\x8A\x30\x93\x30\x54\x30", 8), TextEncoding::Utf16Le,
          ringo },
        { "utf-16be", std::string("\xFE\xFF\x30\x8A\x30\x93\x30\x54", 8), TextEncoding::Utf16Be,
          ringo },
        { "utf-16 pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), TextEncoding::Utf16Le,
          "\xF0\x9F\x98\x80" },
        { "utf-16 lone surrogate", std::string("\xFF\xFE\x3D\xD8\x41\x00", 6),
          TextEncoding::Utf16Le,
          "\xEF\xBF\xBD"
          "A" },
        { "cp932", "\x82\xE8\x82\xF1\x82\xB2", TextEncoding::Cp932, ringo },
        { "cp932 with trail 5C", "\x95\x5C", TextEncoding::Cp932, "\xE8\xA1\xA8" }, // 表
        { "broken after bom",
          "\xEF\xBB\xBF\xFF"
          "a",
          TextEncoding::Utf8Bom,
          "\xEF\xBF\xBD"
          "a" },
    };
    for (const Row &row : rows) {
        const DecodedText decoded = decodeText(row.bytes);
        EXPECT_EQ(decoded.encoding, row.encoding) << row.name;
        EXPECT_EQ(decoded.utf8, row.text) << row.name;
    }
}

TEST(CsvText, SplitsFieldsAsRfc4180HasThem)
{
    struct Row
    {
        const char *name;
        std::string text;
        char separator;
        std::vector<Strings> records;
    } rows[] = {
        { "plain", "a,b\r\nc,d\r\n", ',', { { "a", "b" }, { "c", "d" } } },
        { "no final line end", "a,b", ',', { { "a", "b" } } },
        { "lone cr and lf", "a\rb\nc", ',', { { "a" }, { "b" }, { "c" } } },
        { "quoted separator", "\"a,b\",c", ',', { { "a,b", "c" } } },
        { "doubled quote", "\"say \"\"hi\"\"\",x", ',', { { "say \"hi\"", "x" } } },
        { "line end in quotes",
          "\"one\r\ntwo\",x\r\ny,z",
          ',',
          { { "one\ntwo", "x" }, { "y", "z" } } },
        { "quote inside a field", "ab\"c,d", ',', { { "ab\"c", "d" } } },
        { "empty fields", "a,,\r\n", ',', { { "a", "", "" } } },
        { "blank lines left out", "\r\n\r\na\r\n,\r\n\"\"\r\nb", ',', { { "a" }, { "b" } } },
        { "unterminated quote", "\"a,b\r\nc", ',', { { "a,b\nc" } } },
        { "tab", "a\tb,c", '\t', { { "a", "b,c" } } },
        { "semicolon", "a;\"b;c\"", ';', { { "a", "b;c" } } },
    };
    for (const Row &row : rows) {
        std::vector<Strings> fields;
        for (const CsvRecord &record : parseCsv(row.text, row.separator))
            fields.push_back(record.fields);
        EXPECT_EQ(fields, row.records) << row.name;
    }
}

TEST(CsvText, RecordsKnowTheLineTheyStartOnAndStopAtTheLimit)
{
    const std::vector<CsvRecord> records = parseCsv("a\r\n\r\n\"b\nc\",d\ne", ',', 10, 3);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].line, 3u);
    EXPECT_EQ(records[1].line, 5u);
    EXPECT_EQ(records[2].line, 7u);
    EXPECT_EQ(parseCsv("a\nb\nc", ',', 2).size(), 2u);
}

TEST(CsvText, DetectsTheSeparator)
{
    struct Row
    {
        const char *name;
        const char *text;
        char separator;
    } rows[] = {
        { "tab", "apple\tringo\npear\tnashi\n", '\t' },
        { "tab with commas in the text", "apple\tringo, red\npear\tnashi, green\n", '\t' },
        { "comma", "apple,ringo\npear,nashi\n", ',' },
        { "comma with a quoted tab", "\"a\tb\",c\nd,e\n", ',' },
        { "semicolon", "apple;ringo\npear;nashi\n", ';' },
        { "semicolon with commas inside", "a;b,c\nd;e\nf;g,h,i\n", ';' },
        { "one column", "apple\npear\n", '\t' },
        { "empty", "", '\t' },
    };
    for (const Row &row : rows)
        EXPECT_EQ(detectSeparator(row.text), row.separator) << row.name;
}

} // namespace
} // namespace kvr
