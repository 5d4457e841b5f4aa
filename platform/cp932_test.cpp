#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/crand.h"

using namespace kvr;

TEST(Cp932, LeadBytesAreExactlyTheTwoRanges)
{
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(cp932::isLeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(Cp932, RoundTripsCodePageSpecificCharacters)
{
    // 表 and ソ have 0x5C as trail byte; ～ and ① exist only in the Windows code page.
    const struct
    {
        const char *utf8;
        const char *bytes;
    } rows[] = {
        { "表", "\x95\x5C" }, { "ソ", "\x83\x5C" }, { "～", "\x81\x60" },
        { "①", "\x87\x40" },  { "ｱ", "\xB1" },      { "\\~", "\\~" },
        { "ー", "\x81\x5B" }, { "ゾ", "\x83\x5D" }, { "ａＡ", "\x82\x81\x82\x60" },
    };
    for (const auto &row : rows) {
        const cp932::Encoded encoded = cp932::fromUtf8(row.utf8);
        EXPECT_TRUE(encoded.ok()) << row.utf8;
        EXPECT_EQ(encoded.bytes, row.bytes) << row.utf8;
        EXPECT_EQ(cp932::toUtf8(row.bytes), row.utf8);
    }
}

TEST(Cp932, BadBytesDecodeToReplacementWithoutEatingAscii)
{
    EXPECT_EQ(cp932::toUtf8("a\x81"), "a\xEF\xBF\xBD"); // lone lead byte at the end
    EXPECT_EQ(cp932::toUtf8("\x81\r\n"), "\xEF\xBF\xBD\r\n"); // lead byte before CR LF
    EXPECT_EQ(cp932::toUtf8("\x80x"), "\xEF\xBF\xBDx"); // never a CP932 byte
    EXPECT_EQ(cp932::toUtf8(std::string("\0z", 2)), std::string("\0z", 2));
}

TEST(Cp932, ReportsCharactersItCannotHold)
{
    const cp932::Encoded encoded = cp932::fromUtf8("aé😀b");
    EXPECT_EQ(encoded.bytes, "a??b");
    ASSERT_EQ(encoded.unmappable.size(), 2u);
    EXPECT_EQ(encoded.unmappable[0], U'é');
    EXPECT_EQ(encoded.unmappable[1], U'😀');
    EXPECT_FALSE(cp932::fromUtf8("\xFF").ok()); // invalid UTF-8
}

TEST(Cp932, IgnoresCaseOfAsciiAndFullWidthLettersOnly)
{
    EXPECT_TRUE(cp932::equalsIgnoreCase("Apple", "aPPLE"));
    EXPECT_TRUE(cp932::equalsIgnoreCase(cp932::text("ａｐｐｌｅ"), cp932::text("ＡＰＰＬＥ")));
    EXPECT_FALSE(cp932::equalsIgnoreCase(cp932::text("ａ"), "a"));
    EXPECT_FALSE(cp932::equalsIgnoreCase("apple", "apples"));
    // A trail byte in the letter range belongs to its character and is never folded.
    EXPECT_EQ(cp932::toUpper("\x83\x61z"), "\x83\x61Z");
    EXPECT_FALSE(cp932::equalsIgnoreCase("\x83\x61", "\x83\x41"));
}

TEST(Cp932, CountsDoubleByteCharactersAsOne)
{
    EXPECT_EQ(cp932::charCount(cp932::text("表a")), 2u);
    EXPECT_EQ(cp932::charCount("\x81"), 1u);
    EXPECT_EQ(cp932::charCount(""), 0u);
}

TEST(Cp932, CutsDisplayTextsAtACharacterBoundary)
{
    const std::string ellipsis = cp932::text("…");
    const std::string hyo = cp932::text("表"); // 95 5C: a trail byte that is a backslash
    struct Case
    {
        std::string text;
        std::size_t maxBytes;
        std::string cut;
    };
    const Case cases[] = {
        { "abc", 3, "abc" },
        { "abcd", 4, "abcd" },
        { "abcdef", 5, "abc" + ellipsis },
        { "a" + hyo + hyo, 5, "a" + hyo + hyo }, // fits exactly
        { "a" + hyo + hyo + "b", 5, "a" + hyo + ellipsis },
        { "ab" + hyo + "cd", 5, "ab" + ellipsis }, // never half of 表
        { "abcdef", 1, ellipsis }, // no room: the mark alone
        { "", 0, "" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(cp932::cutForDisplay(c.text, c.maxBytes), c.cut) << c.text << " " << c.maxBytes;
    EXPECT_EQ(cp932::cutForDisplay(std::string(5000, 'x')).size(), cp932::kDisplayTextBytes);
    EXPECT_EQ(cp932::fittingPrefix("a" + hyo, 2), 1u);
    EXPECT_EQ(cp932::fittingPrefix("a" + hyo, 3), 3u);
}

TEST(CRuntimeRand, ReproducesTheRuntimeSequence)
{
    crt::srand(1);
    for (const int expected : { 41, 18467, 6334, 26500, 19169 })
        EXPECT_EQ(crt::rand(), expected);
    crt::srand(0);
    for (const int expected : { 38, 7719, 21238 })
        EXPECT_EQ(crt::rand(), expected);
}
