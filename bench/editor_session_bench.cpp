// The editor's work per event on a large database: a keystroke and a selection against the
// same on a small collection (they must not grow with the rows), and the save of the whole
// 100,000-question database against writing the same bytes raw.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "bench/editorbench.h"

namespace {

using kvr::bench::EditorBench;

EditorBench &bench()
{
    static EditorBench b;
    return b;
}

void typeInto(benchmark::State &state, const std::string &path)
{
    EditorBench &b = bench();
    b.select(path);
    b.session->selectRow(1);
    std::string text = "question";
    for (auto _ : state) {
        text += 'a';
        if (text.size() > 60)
            text.resize(8);
        b.session->editField(kvr::EditField::Question, text);
        benchmark::DoNotOptimize(b.session->view().gridRevision);
    }
    b.session->run(kvr::EditorCommand::Save);
}

void BM_KeystrokeSmallCollection(benchmark::State &state)
{
    typeInto(state, "small");
}
void BM_KeystrokeLargeCollection(benchmark::State &state)
{
    typeInto(state, "large");
}

void selectBackAndForth(benchmark::State &state, const std::string &path)
{
    EditorBench &b = bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.select("small2"); // away first, so that each iteration opens the collection
        state.ResumeTiming();
        b.select(path);
        benchmark::DoNotOptimize(b.session->grid().rowCount());
    }
}

void BM_SelectSmallCollection(benchmark::State &state)
{
    selectBackAndForth(state, "small");
}
void BM_SelectLargeCollection(benchmark::State &state)
{
    selectBackAndForth(state, "large");
}

// The baseline of the save: the database's bytes written with write(2), no lock, no sync.
void BM_RawWriteOfTheSameBytes(benchmark::State &state)
{
    EditorBench &b = bench();
    const std::string text = kvr::formatDatabase(b.database);
    const std::string path = b.folder + "/raw.kvr";
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            state.SkipWithError("cannot write");
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// "上書き保存" after one edit: the collection stored back and the whole database written.
void BM_SaveWholeDatabase(benchmark::State &state)
{
    EditorBench &b = bench();
    b.select("small");
    std::string text = "saved";
    for (auto _ : state) {
        state.PauseTiming();
        text += 'a';
        b.session->editField(kvr::EditField::Question, text);
        state.ResumeTiming();
        b.session->run(kvr::EditorCommand::Save);
    }
    const auto bytes = std::filesystem::file_size(b.settings.DatabaseFilename);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

} // namespace

BENCHMARK(BM_KeystrokeSmallCollection)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeLargeCollection)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectSmallCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectLargeCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWriteOfTheSameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWholeDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
