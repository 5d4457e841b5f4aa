// Summarising a large answer journal for the "学習記録" page against a raw scan of the same
// file (read in blocks, line ends found with memchr).
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

#include "bench/benchsupport.h"
#include "history/answerjournal.h"
#include "history/journalsummary.h"
#include "platform/textfile.h"

using namespace kvr;

namespace {

constexpr int kLines = 1000000;
constexpr int kLearners = 3;
constexpr int kCollections = 40;
constexpr int kDrillLength = 20; // answers of one drill: one collection, one day

// Years of drills: each drill's answers in one run of lines, as drills append them.
std::string makeJournal()
{
    std::string text;
    text.reserve(static_cast<std::size_t>(kLines) * 90);
    JournalEntry entry;
    entry.question = "What is the word for this thing on the desk?";
    const std::int64_t start = 1600000000;
    for (int line = 0; line < kLines; ++line) {
        const int drill = line / kDrillLength;
        entry.time = start + static_cast<std::int64_t>(drill) * 1800 + line % kDrillLength * 7;
        entry.learner = "learner" + std::to_string(drill % kLearners);
        entry.collection = "Words/Grade " + std::to_string(drill % 3) + "/set "
            + std::to_string(drill % kCollections);
        entry.mode = static_cast<DrillMode>(drill % kDrillModeCount);
        entry.position = line % kDrillLength + 1;
        entry.verdict = line % 4 == 3 ? JournalVerdict::Incorrect : JournalVerdict::Correct;
        entry.tenths = 10 + line % 50;
        text += formatJournalLine(entry);
        text += "\r\n";
    }
    return text;
}

struct Fixture : kvr::bench::GeneratedFile
{
    Fixture()
        : GeneratedFile("kvr-journal-bench", "journal.txt", makeJournal())
    {
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_RawLineScan(benchmark::State &state)
{
    kvr::bench::rawScanLoop(state, fixture().path, fixture().bytes);
}

void BM_Summarise(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        const CJournalSummary summary = summariseJournal(f.path);
        benchmark::DoNotOptimize(&summary);
    }
    const CJournalSummary check = summariseJournal(f.path);
    if (check.lines != kLines || check.skipped != 0)
        state.SkipWithError("the summary did not take every line");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

void BM_RawLineScanAtStart(benchmark::State &state)
{
    kvr::bench::rawScanAtStart(state, fixture().path, fixture().bytes);
}

void BM_SummariseAtStart(benchmark::State &state)
{
    Fixture &f = fixture();
    kvr::bench::runAtStart(state, static_cast<std::int64_t>(f.bytes), [&] {
        auto *summary = new CJournalSummary(summariseJournal(f.path)); // freed by the exit
        benchmark::DoNotOptimize(summary);
    });
}

// A selection change on the page: the whole database's days for one learner.
void BM_FilterSummary(benchmark::State &state)
{
    Fixture &f = fixture();
    const CJournalSummary summary = summariseJournal(f.path);
    for (auto _ : state) {
        const DayCounts days = summary.days("learner1", "");
        benchmark::DoNotOptimize(&days);
    }
}

} // namespace

BENCHMARK(BM_RawLineScan)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Summarise)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawLineScanAtStart)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SummariseAtStart)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSummary)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
