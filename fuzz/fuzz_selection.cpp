// Question selection from a loaded log: the weakest questions, the first pass of a series
// and the repeat of the last drill, for every record of a fuzzed log over a tiny collection.
// Control bytes: weakest count, rate basis, flags (sequential, missed list as selection,
// random series), requested count, clock. Text: collection lines, "%%", the log.
#include <algorithm>
#include <set>

#include "drill/drillsetup.h"
#include "fuzz/fuzzsupport.h"
#include "history/answerlog.h"
#include "history/ratebasis.h"
#include "platform/clock.h"

using namespace kvr;

namespace {

class CFixedClock : public IClock
{
public:
    explicit CFixedClock(std::int64_t now)
        : m_now(now)
    {
    }
    std::int64_t now() const override { return m_now; }
    std::uint32_t tick() const override { return 0; }

private:
    std::int64_t m_now;
};

bool isQuestionLine(const CSection &section, int position)
{
    return position >= 0 && static_cast<std::size_t>(position) < section.lines.size()
        && !section.lines[position].empty() && section.lines[position][0] == '?';
}

// The order selectWeakest must give, computed without any chance of overflow.
std::vector<int> weakestReference(const CSection &section,
                                  const std::vector<QuestionTally> &tallies, int n, RateBasis basis)
{
    struct Rate
    {
        int position;
        __int128 correct = 0;
        __int128 total = 0;
    };
    std::vector<Rate> rates;
    for (int position : buildQuestionPool(section)) {
        Rate rate { position };
        if (static_cast<std::size_t>(position) < tallies.size()) {
            const auto &v = tallies[position].values;
            const __int128 firstC = __int128(v[0]) + v[4], firstI = __int128(v[1]) + v[5];
            const __int128 retryC = __int128(v[2]) + v[6], retryI = __int128(v[3]) + v[7];
            const bool first = basis != RateBasis::Retries,
                       retry = basis != RateBasis::FirstAnswers;
            // A side below zero (a large correction) counts as none.
            const __int128 correct = (first ? firstC : 0) + (retry ? retryC : 0);
            const __int128 incorrect = (first ? firstI : 0) + (retry ? retryI : 0);
            rate.correct = std::max<__int128>(correct, 0);
            rate.total = rate.correct + std::max<__int128>(incorrect, 0);
        }
        rates.push_back(rate);
    }
    const bool unansweredFirst = basis != RateBasis::Retries;
    std::stable_sort(rates.begin(), rates.end(), [&](const Rate &a, const Rate &b) {
        const bool answeredA = a.total > 0, answeredB = b.total > 0;
        if (answeredA != answeredB)
            return unansweredFirst ? !answeredA : answeredA;
        return answeredA && a.correct * b.total < b.correct * a.total;
    });
    std::vector<int> result;
    for (const Rate &rate : rates) {
        if (static_cast<int>(result.size()) < n)
            result.push_back(rate.position);
    }
    return result;
}

void checkOrder(const DrillSetup &setup, const std::vector<int> &order, const IClock &clock)
{
    const CSection &section = setup.sectionCopy;
    const int questions = section.questionCount();
    const int count =
        setup.requestedCount < 0 ? questions : std::min(setup.requestedCount, questions);
    KVR_FUZZ_CHECK(static_cast<int>(order.size()) <= std::max(count, 0));
    for (int position : order) {
        KVR_FUZZ_CHECK(isQuestionLine(section, position));
        if (!setup.selection.empty())
            KVR_FUZZ_CHECK(std::find(setup.selection.begin(), setup.selection.end(), position)
                           != setup.selection.end());
    }
    KVR_FUZZ_CHECK(firstPassOrder(setup, clock) == order); // the seed decides everything
    if (!setup.selection.empty())
        return;
    KVR_FUZZ_CHECK(std::set<int>(order.begin(), order.end()).size() == order.size());
    // A later part of a series is the continuation of one and the same order of the whole.
    DrillSetup whole = setup;
    whole.orderSkip = 0;
    whole.requestedCount = -1;
    const std::vector<int> all = firstPassOrder(whole, clock);
    KVR_FUZZ_CHECK(static_cast<int>(all.size()) == questions);
    const std::size_t skip = std::min(all.size(), std::size_t(std::max(setup.orderSkip, 0)));
    const std::size_t end = std::min(all.size(), skip + order.size());
    KVR_FUZZ_CHECK(std::equal(order.begin(), order.end(), all.begin() + skip, all.begin() + end));
}

void checkRecord(const CSection &section, const CSectionLog &record,
                 const fuzz::CControlledInput &in, const IClock &clock)
{
    const int n = static_cast<int>(in.byte(0) % 64) - 2;
    const auto basis = rateBasisFromSetting(static_cast<int>(in.byte(1) % 4));
    const std::vector<int> weakest = selectWeakest(section, record.tallies(), n, basis);
    KVR_FUZZ_CHECK(weakest == weakestReference(section, record.tallies(), n, basis));

    const RepeatSelection last = lastDrillSelection(&record, &section);
    KVR_FUZZ_CHECK(last.ok() || last.selection.empty());
    if (last.ok()) {
        DrillSetup replay;
        replay.sectionCopy = section;
        replay.sequentialOrder = record.seriesSeed == 0;
        replay.orderSeed = record.seriesSeed;
        replay.orderSkip = record.seriesDone - record.lastSeriesCount;
        replay.requestedCount = record.lastSeriesCount;
        KVR_FUZZ_CHECK(last.selection == firstPassOrder(replay, clock));
    }
    KVR_FUZZ_CHECK(lastDrillSelection(&record, nullptr).selection.empty());
    const RepeatSelection missed = lastMissedSelection(&record);
    KVR_FUZZ_CHECK(missed.ok() == !record.lastMissed.empty());

    DrillSetup setup;
    setup.sectionCopy = section;
    setup.sequentialOrder = in.byte(2) & 1;
    if (in.byte(2) & 2)
        setup.selection = missed.selection;
    setup.requestedCount = static_cast<int>(in.byte(3) % 48) - 1;
    if (setup.selection.empty())
        prepareSeries(setup, in.byte(2) & 4, section.questionCount(), &record, clock);
    checkOrder(setup, firstPassOrder(setup, clock), clock);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fuzz::CControlledInput in(data, size);
    const std::size_t split = in.text().find("%%\n");
    const std::string_view lines = in.text().substr(0, split);
    const std::string_view logText =
        split == std::string_view::npos ? std::string_view() : in.text().substr(split + 3);

    CSection section;
    for (std::string_view line : fuzz::splitAt(lines, "\n")) {
        if (section.lines.size() < 24)
            section.lines.emplace_back(line);
    }
    CAnswerLog log;
    if (!log.loadAnswerLogText(logText))
        return 0;
    const CFixedClock clock(1700000000 + in.byte(4));
    KVR_FUZZ_CHECK(lastDrillSelection(nullptr, &section).selection.empty());
    int records = 0;
    for (const CUserLog &user : log.users) {
        for (const CSectionLog &record : user.sections) {
            if (++records > 16)
                return 0;
            checkRecord(section, record, in, clock);
        }
    }
    return 0;
}
