#pragma once

// Shared pieces of the benchmarks: the raw baseline (read a file in blocks and find its line
// ends, nothing else) and timing in fresh processes.
//
// The programs read their files once, at start, into a new heap. A read repeated in a
// benchmark loop meets the previous iteration's freed memory instead, which glibc settles
// lazily during the next read. These helpers time one piece of work in a fresh child
// process per iteration, so start-up reads are measured as a user meets them.

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/textfile.h"

namespace kvr::bench {

// The line ends (LF) in size bytes at data, found with memchr.
inline std::size_t countLineEnds(const char *data, std::size_t size)
{
    std::size_t lines = 0;
    const char *const end = data + size;
    while (const void *lf = std::memchr(data, '\n', static_cast<std::size_t>(end - data))) {
        ++lines;
        data = static_cast<const char *>(lf) + 1;
    }
    return lines;
}

// The real limit of any reader of a line file: the file read in blocks with read(2) and its
// line ends found with memchr. It shares no code with the programs' own readers, so their
// speed is measured against the machine rather than against themselves. False when the
// file cannot be opened or read. (The benchmarks' paths are plain ASCII.)
inline bool rawLineScan(const std::string &path)
{
    constexpr std::size_t kBlock = 1 << 16;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const std::unique_ptr<char[]> block(new char[kBlock]);
    std::size_t lines = 0;
    ssize_t got;
    while ((got = ::read(fd, block.get(), kBlock)) > 0)
        lines += countLineEnds(block.get(), static_cast<std::size_t>(got));
    ::close(fd);
    benchmark::DoNotOptimize(lines);
    return got == 0;
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

// The raw scan of a file as a benchmark body: warm, and once per fresh process. Every
// reader benchmark puts its own figures beside these.
inline void rawScanLoop(benchmark::State &state, const std::string &path, std::int64_t bytes)
{
    for (auto _ : state) {
        if (!rawLineScan(path))
            state.SkipWithError("cannot open");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
}
inline void rawScanAtStart(benchmark::State &state, const std::string &path, std::int64_t bytes)
{
    runAtStart(state, bytes, [&] { rawLineScan(path); });
}

// A temporary folder of the benchmark process's own (benchmarks run side by side must not
// share files) holding one generated file; removed at the end.
struct GeneratedFile
{
    std::string folder;
    std::string path;
    std::int64_t bytes = 0;

    // The text is stored the way the programs store their files.
    GeneratedFile(const std::string &stem, const std::string &name, const std::string &text)
        : folder(
            (std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid())))
                .string())
        , path(folder + "/" + name)
        , bytes(static_cast<std::int64_t>(text.size()))
    {
        std::filesystem::create_directories(folder);
        if (!replaceFileAtomically(path, text))
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
    }
    ~GeneratedFile() { std::filesystem::remove_all(folder); }
    GeneratedFile(const GeneratedFile &) = delete;
    GeneratedFile &operator=(const GeneratedFile &) = delete;
};

} // namespace kvr::bench
