#pragma once

#include <cstdint>

#include "history/answerlog.h"

namespace kvr {

// The rate basis (CorrectrateMode): which of a question's adjusted tallies give its correct
// rate.
enum class RateBasis : int { FirstAnswers = 0, Retries = 1, Both = 2 };

// CorrectrateMode as a basis; values outside 0-2 read as Both (the stored default).
RateBasis rateBasisFromSetting(int correctrateMode);

// The radio button ("初回", "再回答", "両方") checked for a stored CorrectrateMode when the
// per-question page opens: "再回答" for 1, "両方" for 2, "初回" for anything else. A radio
// stores its basis's number as CorrectrateMode.
RateBasis rateBasisRadio(int correctrateMode);

// One side (correct or incorrect) of a question under a basis: the counted answers and the
// learner's correction. 64-bit, so sums of 32-bit fields never overflow.
struct TallySide
{
    std::int64_t raw = 0;
    std::int64_t adjust = 0;
    std::int64_t value() const { return raw + adjust; }
    bool operator==(const TallySide &) const = default;
};

struct BasisCounts
{
    TallySide correct;
    TallySide incorrect;
    std::int64_t total() const { return correct.value() + incorrect.value(); }
    bool operator==(const BasisCounts &) const = default;
};

// FirstAnswers: the first-answer fields; Retries: the re-answer fields; Both: their sums.
BasisCounts basisCounts(const QuestionTally &tally, RateBasis basis);

// A question's correct rate under a basis. A side whose adjusted total is negative (a
// correction larger than the answers counted) counts as 0, so the rate stays within 0 … 1:
// 0 right with a correction of -3 and 2 wrong is 0 %, not 100 %. Unrated when both sides
// count 0.
struct BasisRate
{
    std::int64_t correct = 0; // at least 0
    std::int64_t incorrect = 0; // at least 0
    bool rated() const { return correct + incorrect > 0; }
    double value() const; // correct / (correct + incorrect); 0 when unrated
    // Exactly, without the rounding of value(): counts reach 2^34, beyond a double's
    // resolution for telling two near rates apart.
    bool lowerThan(const BasisRate &other) const;
};
BasisRate basisRate(const BasisCounts &counts);

enum class TallySideKind { Correct, Incorrect };

// The correction field the count menus change: the first-answer correction under
// FirstAnswers and Both, the re-answer correction under Retries.
QuestionTally::Field correctionField(RateBasis basis, TallySideKind side);

} // namespace kvr
