// Reading and writing a large question database, against merely reading the same file in
// blocks and finding its line ends.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "db/questiondatabase.h"
#include "platform/textfile.h"

namespace {

const kvr::CQuestionDatabase &sampleDatabase()
{
    static const kvr::CQuestionDatabase database = kvr::bench::makeSampleDatabase();
    return database;
}

struct SampleFile
{
    std::string path;
    std::string writePath;
    std::size_t size = 0;

    SampleFile()
    {
        const auto folder = std::filesystem::temp_directory_path();
        const std::string stem = "kvr_db_bench_" + std::to_string(::getpid());
        path = (folder / (stem + ".kvr")).string();
        writePath = (folder / (stem + "_out.kvr")).string();
        const std::string text = kvr::formatDatabase(sampleDatabase());
        size = text.size();
        if (!kvr::replaceFileAtomically(path, text))
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
    }
    ~SampleFile()
    {
        std::remove(path.c_str());
        std::remove(writePath.c_str());
    }
};

const SampleFile &sampleFile()
{
    static const SampleFile file;
    return file;
}

void BM_RawLineScan(benchmark::State &state)
{
    const SampleFile &file = sampleFile();
    for (auto _ : state) {
        if (!kvr::bench::rawLineScan(file.path))
            state.SkipWithError("cannot open");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
}

// Freeing the tree is not part of reading it (BM_ReadDatabaseAndFree counts both).
void freeOutsideTiming(benchmark::State &state, kvr::CQuestionDatabase &db)
{
    state.PauseTiming();
    db.clear();
    state.ResumeTiming();
}

// Reads into a new tree per iteration; the tree is freed outside the timing unless asked.
template <typename Read>
void readLoop(benchmark::State &state, std::size_t bytes, bool timeFree, Read read)
{
    for (auto _ : state) {
        kvr::CQuestionDatabase db;
        if (!read(db))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(db.root.entries.data());
        if (!timeFree)
            freeOutsideTiming(state, db);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_ReadDatabase(benchmark::State &state)
{
    const SampleFile &file = sampleFile();
    readLoop(state, file.size, false, [&](auto &db) { return kvr::readDatabase(db, file.path); });
}

// The same two on text already in memory: finding the line ends with memchr alone against
// the whole reader.
void BM_ScanText(benchmark::State &state)
{
    const std::string text = *kvr::readWholeFile(sampleFile().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(kvr::bench::countLineEnds(text.data(), text.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_ReadDatabaseText(benchmark::State &state)
{
    const std::string text = *kvr::readWholeFile(sampleFile().path);
    readLoop(state, text.size(), false, [&](auto &db) { return kvr::readDatabaseText(db, text); });
}

void BM_ReadDatabaseAndFree(benchmark::State &state)
{
    const SampleFile &file = sampleFile();
    readLoop(state, file.size, true, [&](auto &db) { return kvr::readDatabase(db, file.path); });
}

void BM_RawLineScanAtStart(benchmark::State &state)
{
    const SampleFile &file = sampleFile();
    kvr::bench::runAtStart(state, file.size, [&] { kvr::bench::rawLineScan(file.path); });
}

void BM_ReadDatabaseAtStart(benchmark::State &state)
{
    const SampleFile &file = sampleFile();
    kvr::bench::runAtStart(state, file.size, [&] {
        // Left to the child's exit, as the program leaves it: freeing is not reading.
        auto *db = new kvr::CQuestionDatabase;
        kvr::readDatabase(*db, file.path);
        benchmark::DoNotOptimize(db);
    });
}

void BM_FormatDatabase(benchmark::State &state)
{
    const kvr::CQuestionDatabase &db = sampleDatabase();
    const std::size_t size = sampleFile().size;
    for (auto _ : state) {
        std::string text = kvr::formatDatabase(db);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

// The whole save: format, write a temporary file, sync it and rename it over the old one.
void BM_WriteDatabase(benchmark::State &state)
{
    const kvr::CQuestionDatabase &db = sampleDatabase();
    const SampleFile &file = sampleFile();
    for (auto _ : state) {
        if (!kvr::writeDatabase(db, file.writePath))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
}

} // namespace

BENCHMARK(BM_RawLineScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDatabaseAndFree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDatabaseText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawLineScanAtStart)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDatabaseAtStart)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDatabase)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
