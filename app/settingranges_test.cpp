#include <climits>
#include <gtest/gtest.h>

#include "app/kvrsettings.h"
#include "app/options.h"
#include "app/settingranges.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"

namespace kvr {
namespace {

class SettingRangesTest : public testing::Test
{
protected:
    CKvrSettings loadedWith(std::string_view name, int value)
    {
        CMemorySettingsStore store;
        const SettingChange change { "Options", std::string(name), SettingValue(value) };
        EXPECT_TRUE(store.apply({ &change, 1 }));
        CKvrSettings settings;
        settings.load(store, DataLocations { m_folder / "program", m_folder / "share", {}, {} });
        return settings;
    }

    TempFolder m_folder;
};

TEST_F(SettingRangesTest, LoadingBringsEveryBoundedValueIntoItsRange)
{
    for (const SettingRange &row : settingRanges()) {
        if (!row.clampedOnLoad)
            continue;
        const FieldRange range = row.range;
        struct Case
        {
            int stored, loaded;
        };
        const Case cases[] = {
            { range.minimum, range.minimum },     { range.maximum, range.maximum },
            { range.minimum - 1, range.minimum }, { range.maximum + 1, range.maximum },
            { INT_MIN, range.minimum },           { INT_MAX, range.maximum },
        };
        for (const Case &c : cases)
            EXPECT_EQ(loadedWith(row.setting, c.stored).*row.value, c.loaded)
                << row.setting << " stored as " << c.stored;
    }
}

TEST_F(SettingRangesTest, TheTestersValuesNoLongerStallADrillOrHideThePane)
{
    EXPECT_EQ(loadedWith("IncorrectWaitTime", INT_MAX).IncorrectWaitTime, 2000);
    EXPECT_EQ(loadedWith("TreeLogPeriod", -500).TreeLogPeriod, 370);
    EXPECT_EQ(loadedWith("ReplyLimitEJ", 0).ReplyLimitEJ, 1000);
}

TEST_F(SettingRangesTest, DescribedRepairsOnLoadStayAsTheyAre)
{
    // Zero is kept (the page would refuse it); outside 0…5 becomes 1, not the nearer end.
    EXPECT_EQ(loadedWith("MultiJudgeOverN", 0).MultiJudgeOverN, 0);
    EXPECT_EQ(loadedWith("MultiJudgeOverN", 9).MultiJudgeOverN, 1);
    EXPECT_EQ(loadedWith("CorrectrateMode", 7).CorrectrateMode, 2);
}

TEST_F(SettingRangesTest, ThePagesAcceptExactlyTheTablesRanges)
{
    int pageFields = 0;
    for (const SettingRange &row : settingRanges()) {
        EXPECT_EQ(rangeOfSetting(row.setting)->minimum, row.range.minimum);
        if (row.field.empty()) {
            EXPECT_FALSE(fieldRange(std::string(row.setting)).has_value()) << row.setting;
            continue;
        }
        ++pageFields;
        const std::optional<FieldRange> range = fieldRange(std::string(row.field));
        ASSERT_TRUE(range.has_value()) << row.field;
        EXPECT_EQ(range->minimum, row.range.minimum) << row.field;
        EXPECT_EQ(range->maximum, row.range.maximum) << row.field;
    }
    EXPECT_EQ(pageFields, 13);
    EXPECT_FALSE(rangeOfField("").has_value());
}

} // namespace
} // namespace kvr
