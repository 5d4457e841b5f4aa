#pragma once

// Shared pieces of the benchmarks: the raw baseline (read a file and split it into lines,
// no parsing) and timing in fresh processes.
//
// The programs read their files once, at start, into a new heap. A read repeated in a
// benchmark loop meets the previous iteration's freed memory instead, which glibc settles
// lazily during the next read. These helpers time one piece of work in a fresh child
// process per iteration, so start-up reads are measured as a user meets them.

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/textfile.h"

namespace kvr::bench {

// Reads the file and splits it into lines; false when it cannot be opened.
inline bool readAndSplit(const std::string &path)
{
    CLineReader reader;
    if (!reader.open(path))
        return false;
    std::string_view line;
    std::size_t lines = 0;
    while (reader.next(line))
        ++lines;
    benchmark::DoNotOptimize(lines);
    return true;
}

// Seconds the work took in a new child process, or -1 when the child failed.
template <typename Work> double secondsInFreshProcess(Work work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const bool sent = ::write(channel[1], &seconds, sizeof seconds) == sizeof seconds;
        ::_exit(sent ? 0 : 1); // no clean-up: freeing is not part of the work
    }
    double seconds = -1;
    if (::read(channel[0], &seconds, sizeof seconds) != sizeof seconds)
        seconds = -1;
    ::close(channel[0]);
    ::close(channel[1]);
    ::waitpid(child, nullptr, 0);
    return seconds;
}

// Runs a benchmark registered with UseManualTime() on fresh processes.
template <typename Work>
void runAtStart(benchmark::State &state, std::int64_t bytesPerRun, Work work)
{
    for (auto _ : state) {
        const double seconds = secondsInFreshProcess(work);
        if (seconds < 0)
            state.SkipWithError("child failed");
        state.SetIterationTime(seconds);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytesPerRun);
}

} // namespace kvr::bench
