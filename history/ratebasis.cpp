#include "history/ratebasis.h"

#include <algorithm>

namespace kvr {

RateBasis rateBasisFromSetting(int correctrateMode)
{
    if (correctrateMode == 0)
        return RateBasis::FirstAnswers;
    if (correctrateMode == 1)
        return RateBasis::Retries;
    return RateBasis::Both;
}

RateBasis rateBasisRadio(int correctrateMode)
{
    if (correctrateMode == 1)
        return RateBasis::Retries;
    return correctrateMode == 2 ? RateBasis::Both : RateBasis::FirstAnswers;
}

double BasisRate::value() const
{
    return rated() ? static_cast<double>(correct) / static_cast<double>(correct + incorrect) : 0;
}

bool BasisRate::lowerThan(const BasisRate &other) const
{
    using Wide = __int128;
    return Wide(correct) * (other.correct + other.incorrect)
        < Wide(other.correct) * (correct + incorrect);
}

BasisRate basisRate(const BasisCounts &counts)
{
    return { std::max<std::int64_t>(0, counts.correct.value()),
             std::max<std::int64_t>(0, counts.incorrect.value()) };
}

BasisCounts basisCounts(const QuestionTally &tally, RateBasis basis)
{
    using F = QuestionTally;
    const auto &v = tally.values;
    const BasisCounts first { { v[F::FirstCorrect], v[F::FirstCorrectAdjust] },
                              { v[F::FirstIncorrect], v[F::FirstIncorrectAdjust] } };
    const BasisCounts retry { { v[F::RetryCorrect], v[F::RetryCorrectAdjust] },
                              { v[F::RetryIncorrect], v[F::RetryIncorrectAdjust] } };
    switch (basis) {
    case RateBasis::FirstAnswers:
        return first;
    case RateBasis::Retries:
        return retry;
    case RateBasis::Both:
        break;
    }
    return { { first.correct.raw + retry.correct.raw, first.correct.adjust + retry.correct.adjust },
             { first.incorrect.raw + retry.incorrect.raw,
               first.incorrect.adjust + retry.incorrect.adjust } };
}

QuestionTally::Field correctionField(RateBasis basis, TallySideKind side)
{
    const bool retry = basis == RateBasis::Retries;
    if (side == TallySideKind::Correct)
        return retry ? QuestionTally::RetryCorrectAdjust : QuestionTally::FirstCorrectAdjust;
    return retry ? QuestionTally::RetryIncorrectAdjust : QuestionTally::FirstIncorrectAdjust;
}

} // namespace kvr
