#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {
namespace {

TEST(FormatText, KeepsCp932BytesAndGrowsToWhateverLengthItNeeds)
{
    const std::string longPath(600, 'p');
    // "表" ends in 0x5C and "ソ" in 0x5C too: trail bytes that look like a backslash.
    const std::string table = cp932::text("表ソ");
    const struct
    {
        std::string got;
        std::string expected;
    } rows[] = {
        { formatText(cp932::text("(1～%d)"), 1000), cp932::text("(1～1000)") },
        { formatText("%s%s", table.c_str(), table.c_str()), table + table },
        { formatText(table + "%d", 5), table + "5" },
        { formatText("[%s]", longPath.c_str()), "[" + longPath + "]" },
        { formatText("%.2f [Chars/Min]", 1234567890.125), "1234567890.12 [Chars/Min]" },
        { formatText("%%%02X", 0x8Bu), "%8B" },
        { formatText(""), "" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.got, row.expected);
}

} // namespace
} // namespace kvr
