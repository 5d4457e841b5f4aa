#include <gtest/gtest.h>

#include "drill/widthfold.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"

namespace kvr {
namespace {

// U+FF01…U+FF5E as UTF-8.
std::string fullWidthUtf8(char ascii)
{
    const char32_t code = 0xFF01 + static_cast<char32_t>(ascii - 0x21);
    return { static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
             static_cast<char>(0x80 | (code & 0x3F)) };
}

TEST(FoldFullWidth, EveryFullWidthFormOfPrintableAscii)
{
    for (char ascii = 0x21; ascii <= 0x7E; ++ascii) {
        const std::string typed = sj(fullWidthUtf8(ascii));
        ASSERT_EQ(typed.size(), 2u) << ascii;
        EXPECT_EQ(foldFullWidth(typed), std::string(1, ascii)) << ascii;
    }
}

TEST(FoldFullWidth, TextsAsTyped)
{
    const struct
    {
        std::string typed, folded;
    } rows[] = {
        { sj("ａｐｐｌｅ"), "apple" },
        { "apple" + sj("　"), "apple " },
        { sj("Ｉ’ｍ　ｈｅｒｅ．"), "I'm here." },
        { sj("“Ｈｉ！”と‘ｙｏ’"), "\"Hi!\"" + sj("と") + "'yo'" },
        { sj("１０：３０～"), "10:30~" },
        { "\xEE\xFB\xEE\xFC", "'\"" }, // the NEC-selected quote codes
        { "\xFA\x56\xFA\x57", "'\"" }, // the IBM ones
        // Japanese text stays, also characters whose trail byte is an ASCII letter or "\".
        { sj("表ソーー、。・￥"), sj("表ソーー、。・￥") },
        { sj("表１"), sj("表") + "1" },
        { "\xB1\xB2", "\xB1\xB2" }, // half-width katakana
        { "a\x82", "a\x82" }, // a lone lead byte at the end
        { "", "" },
        { "plain ASCII?", "plain ASCII?" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(foldFullWidth(row.typed), row.folded) << cp932::toUtf8(row.typed);
}

} // namespace
} // namespace kvr
