#include <gtest/gtest.h>

#include "history/ratebasis.h"

namespace kvr {
namespace {

QuestionTally tallyOf(std::initializer_list<std::int32_t> values)
{
    QuestionTally tally;
    std::copy(values.begin(), values.end(), tally.values);
    return tally;
}

TEST(RateBasis, EachBasisTakesItsFieldsWithTheirCorrections)
{
    // first 3/1, retry 2/4, corrections +10/-1 (first) and -2/+5 (retry)
    const QuestionTally tally = tallyOf({ 3, 1, 2, 4, 10, -1, -2, 5 });
    const struct
    {
        RateBasis basis;
        BasisCounts expected;
    } rows[] = {
        { RateBasis::FirstAnswers, { { 3, 10 }, { 1, -1 } } },
        { RateBasis::Retries, { { 2, -2 }, { 4, 5 } } },
        { RateBasis::Both, { { 5, 8 }, { 5, 4 } } },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(basisCounts(tally, row.basis), row.expected) << static_cast<int>(row.basis);
    }
    EXPECT_EQ(basisCounts(tally, RateBasis::Both).total(), 22);
}

TEST(RateBasis, SumsOfExtremeFieldsDoNotOverflow)
{
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const BasisCounts counts =
        basisCounts(tallyOf({ max, 0, max, 0, max, 0, max, 0 }), RateBasis::Both);
    EXPECT_EQ(counts.correct.value(), 4 * static_cast<std::int64_t>(max));
}

TEST(RateBasis, NearRatesAtHugeCountsOrderExactly)
{
    // 2^33 right of 2^33+1 against 2^33+1 right of 2^33+2: the doubles round both to 1.
    const std::int64_t big = std::int64_t(1) << 33;
    const BasisRate lower { big, 1 }, higher { big + 1, 1 };
    EXPECT_TRUE(lower.lowerThan(higher));
    EXPECT_FALSE(higher.lowerThan(lower));
    EXPECT_FALSE(lower.lowerThan(lower));
}

TEST(RateBasis, NegativeTotalsCountAsZeroSoTheRateStaysWithinZeroToOne)
{
    const struct
    {
        BasisCounts counts;
        bool rated;
        double rate;
    } rows[] = {
        { { { 0, -3 }, { 2, 0 } }, true, 0.0 }, // 0 right, -3 correction, 2 wrong: not 100 %
        { { { 0, -3 }, { 5, 0 } }, true, 0.0 },   { { { 5, 0 }, { 0, -3 } }, true, 1.0 },
        { { { 3, 0 }, { 1, 0 } }, true, 0.75 },   { { { 3, -3 }, { 2, -2 } }, false, 0.0 },
        { { { 0, -1 }, { 0, -4 } }, false, 0.0 }, { { { 0, 0 }, { 0, 0 } }, false, 0.0 },
    };
    for (const auto &row : rows) {
        const BasisRate rate = basisRate(row.counts);
        EXPECT_EQ(rate.rated(), row.rated) << row.counts.correct.value();
        EXPECT_DOUBLE_EQ(rate.value(), row.rate) << row.counts.correct.value();
    }
}

TEST(RateBasis, CorrectionsGoToTheFirstAnswersExceptUnderRetries)
{
    using F = QuestionTally;
    const struct
    {
        RateBasis basis;
        TallySideKind side;
        F::Field field;
    } rows[] = {
        { RateBasis::FirstAnswers, TallySideKind::Correct, F::FirstCorrectAdjust },
        { RateBasis::FirstAnswers, TallySideKind::Incorrect, F::FirstIncorrectAdjust },
        { RateBasis::Both, TallySideKind::Correct, F::FirstCorrectAdjust },
        { RateBasis::Both, TallySideKind::Incorrect, F::FirstIncorrectAdjust },
        { RateBasis::Retries, TallySideKind::Correct, F::RetryCorrectAdjust },
        { RateBasis::Retries, TallySideKind::Incorrect, F::RetryIncorrectAdjust },
    };
    for (const auto &row : rows)
        EXPECT_EQ(correctionField(row.basis, row.side), row.field);
    EXPECT_EQ(rateBasisFromSetting(0), RateBasis::FirstAnswers);
    EXPECT_EQ(rateBasisFromSetting(-1), RateBasis::Both);
    // The page's radios show "初回" for a value the settings would not hold.
    const RateBasis radios[] = { RateBasis::FirstAnswers, RateBasis::FirstAnswers,
                                 RateBasis::Retries, RateBasis::Both, RateBasis::FirstAnswers };
    for (int mode = -1; mode <= 3; ++mode)
        EXPECT_EQ(rateBasisRadio(mode), radios[mode + 1]) << mode;
}

} // namespace
} // namespace kvr
