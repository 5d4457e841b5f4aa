// The per-question page of a 5,000-question collection: building its rows from the lines and
// the learner's tallies, and sorting them by a column, against decoding every line once
// (the least any view of the questions must do) in the same run.
#include <benchmark/benchmark.h>
#include <string>

#include "bench/benchdata.h"
#include "db/question.h"
#include "history/answerlog.h"
#include "history/questionrows.h"

using namespace kvr;

namespace {

constexpr int kQuestions = 5000;

struct Fixture
{
    CSection section;
    CSectionLog record;

    Fixture()
    {
        section.name = "rows";
        for (int i = 0; i < kQuestions; ++i)
            section.appendLine(bench::sampleQuestionLine(i));
        record.tallies().resize(kQuestions);
        std::uint32_t state = 7;
        for (QuestionTally &t : record.tallies()) {
            for (std::int32_t &v : t.values) {
                state = state * 214013u + 2531011u;
                v = static_cast<std::int32_t>((state >> 16) % 12);
            }
        }
    }
};

const Fixture &fixture()
{
    static const Fixture f;
    return f;
}

void BM_DecodeEveryLineBaseline(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state) {
        for (const auto &line : f.section.lines) {
            CQuestion question;
            benchmark::DoNotOptimize(parseQuestionLine(question, line));
        }
    }
}

void BM_BuildRows(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state) {
        CSectionLog record = f.record;
        benchmark::DoNotOptimize(buildQuestionRows(f.section, &record, RateBasis::Both));
    }
}

void BM_SortRowsByColumn(benchmark::State &state)
{
    const Fixture &f = fixture();
    CSectionLog record = f.record;
    const std::vector<QuestionRow> rows = buildQuestionRows(f.section, &record, RateBasis::Both);
    const auto column = static_cast<QuestionColumn>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<QuestionRow> copy = rows;
        state.ResumeTiming();
        sortQuestionRows(copy, column, true, true);
        benchmark::DoNotOptimize(copy.data());
    }
}

} // namespace

BENCHMARK(BM_DecodeEveryLineBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRowsByColumn)
    ->Arg(static_cast<int>(QuestionColumn::Question))
    ->Arg(static_cast<int>(QuestionColumn::Rate))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
