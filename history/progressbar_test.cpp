#include <gtest/gtest.h>

#include "history/progressbar.h"
#include "platform/cp932.h"

namespace kvr {
namespace {

using cp932::text;

constexpr int kWidth = 432; // inner area 16 … 416: 400 pixel columns

CSectionLog series(std::uint32_t seed, std::int32_t done, std::int32_t last)
{
    CSectionLog record;
    record.seriesSeed = seed;
    record.seriesDone = done;
    record.lastSeriesCount = last;
    return record;
}

std::vector<std::string> textsOf(const ProgressPaint &paint)
{
    std::vector<std::string> texts;
    for (const PaintText &t : paint.texts)
        texts.push_back(t.text);
    return texts;
}

TEST(ProgressBar, WithoutARecordTheBarStaysWhiteAndTheFiguresAreZero)
{
    ProgressInput input;
    input.sectionFound = true;
    input.questionCount = 50;
    input.width = kWidth;
    const ProgressPaint paint = progressPaint(input);
    EXPECT_EQ(paint.bar, (RectF { 15, 30, 417, 80 }));
    EXPECT_EQ(paint.inner, (RectF { 16, 31, 416, 79 }));
    EXPECT_EQ(paint.middle, 55);
    EXPECT_TRUE(paint.takenSpans.empty());
    EXPECT_FALSE(paint.middleLine);
    EXPECT_FALSE(paint.fill);
    EXPECT_EQ(textsOf(paint),
              (std::vector<std::string> { text("進行状況"), "0 / 50", text("前回の出題数"), "0" }));
    EXPECT_EQ(paint.texts[1], (PaintText { "0 / 50", 332, 10, kPaintBlack, PageFont::Mincho13 }));
    EXPECT_EQ(paint.texts[3].x, 332);
    EXPECT_EQ(paint.texts[3].y, 95);
}

TEST(ProgressBar, ASeededSeriesMarksItsTakenQuestionsAboveTheMiddle)
{
    const CSectionLog record = series(12345, 20, 10);
    ProgressInput input;
    input.record = &record;
    input.sectionFound = true;
    input.questionCount = 50;
    input.taken = { true, false, false, true }; // columns 0-99 and 300-399
    input.width = kWidth;
    const ProgressPaint paint = progressPaint(input);
    EXPECT_EQ(paint.takenSpans, (std::vector<ProgressPaint::Span> { { 16, 116 }, { 316, 416 } }));
    EXPECT_TRUE(paint.middleLine);
    ASSERT_TRUE(paint.fill);
    EXPECT_EQ(*paint.fill, (RectF { 16, 55, 16 + 400 * 20.0 / 50, 79 }));
    EXPECT_EQ(textsOf(paint).back(), text("（乱数の種：12345）"));
    EXPECT_EQ(paint.texts.back().colour, kSeedText);
    EXPECT_EQ(paint.texts.back().x, 15);
    EXPECT_EQ(paint.texts.back().y, 112);
    EXPECT_EQ(paint.texts[1].text, "20 / 50");
    EXPECT_EQ(paint.texts[3].text, "10");
}

TEST(ProgressBar, MarksMapToColumnsByFloorOfTheirShare)
{
    const CSectionLog record = series(1, 1, 1);
    ProgressInput input;
    input.record = &record;
    input.sectionFound = true;
    input.questionCount = 3;
    input.taken = { false, true, false }; // column x shows mark floor(x * 3 / 400)
    input.width = kWidth;
    const ProgressPaint paint = progressPaint(input);
    EXPECT_EQ(paint.takenSpans, (std::vector<ProgressPaint::Span> { { 16 + 134, 16 + 267 } }));
}

TEST(ProgressBar, FillFollowsTheSeriesAndStaysInsideTheBar)
{
    const struct
    {
        std::uint32_t seed;
        std::int32_t done;
        int questions;
        bool found;
        std::optional<double> fillRight;
    } rows[] = {
        { 0, 20, 50, true, 16 + 160 }, // a sequential series: fill only
        { 0, 80, 50, true, 416 }, // more taken than there are questions now
        { 0, -5, 50, true, 16 },
        { 0, 5, 0, true, 16 }, // no questions
        { 7, 20, 50, false, std::nullopt }, // the collection cannot be found
    };
    for (const auto &row : rows) {
        const CSectionLog record = series(row.seed, row.done, 0);
        ProgressInput input;
        input.record = &record;
        input.sectionFound = row.found;
        input.questionCount = row.questions;
        input.width = kWidth;
        const ProgressPaint paint = progressPaint(input);
        EXPECT_TRUE(paint.takenSpans.empty());
        EXPECT_EQ(paint.middleLine, row.seed > 0 && row.found);
        if (!row.fillRight) {
            EXPECT_FALSE(paint.fill);
            continue;
        }
        ASSERT_TRUE(paint.fill) << row.done;
        EXPECT_EQ(paint.fill->right, *row.fillRight) << row.done;
        EXPECT_EQ(textsOf(paint).size(), 4u); // no seed text
    }
}

} // namespace
} // namespace kvr
