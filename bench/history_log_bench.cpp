// Load and save of a large answer-history log against a raw scan of the same file (read in
// blocks, line ends found with memchr).
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "history/answerlog.h"
#include "history/answerlogtallyline.h"
#include "platform/textfile.h"

using namespace kvr;

namespace {

constexpr int kLearners = kvr::bench::kLogLearners;
constexpr int kRecords = kvr::bench::kLogRecords;
constexpr int kQuestions = kvr::bench::kLogQuestions;

CAnswerLog makeLog()
{
    return kvr::bench::makeSampleLog();
}

struct Fixture : kvr::bench::GeneratedFile
{
    CAnswerLog log;
    std::string savePath;

    Fixture()
        : Fixture(makeLog())
    {
    }
    explicit Fixture(CAnswerLog made)
        : GeneratedFile("kvr-history-bench", "translog.txt", made.formatAnswerLog())
        , log(std::move(made))
        , savePath(folder + "/saved.txt")
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

void BM_Load(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        CAnswerLog log;
        if (!log.loadAnswerLog(f.path))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(log.users.data());
    }
    CAnswerLog check;
    if (!check.loadAnswerLog(f.path) || check.users != f.log.users)
        state.SkipWithError("the loaded log differs from the saved one");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

void BM_RawLineScanAtStart(benchmark::State &state)
{
    kvr::bench::rawScanAtStart(state, fixture().path, fixture().bytes);
}

void BM_LoadAtStart(benchmark::State &state)
{
    Fixture &f = fixture();
    kvr::bench::runAtStart(state, static_cast<std::int64_t>(f.bytes), [&] {
        auto *log = new CAnswerLog; // left to the child's exit: freeing is not loading
        log->loadAnswerLog(f.path);
        benchmark::DoNotOptimize(log);
    });
}

// Only building the loaded log's tally vectors (same shape, no parsing): the part of a load
// that the read-and-split baseline does not have.
void BM_TallyMemoryOnly(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        std::vector<std::vector<QuestionTally>> tallies(kLearners * kRecords);
        for (auto &vector : tallies) {
            vector.reserve(kQuestions);
            for (int i = 0; i < kQuestions; ++i)
                vector.emplace_back().values[0] = i;
        }
        benchmark::DoNotOptimize(tallies.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

void BM_Format(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        std::string text = f.log.formatAnswerLog();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

// Format, write to a temporary file, sync and rename over the old file.
void BM_Save(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        if (!f.log.saveAnswerLog(f.savePath))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

// The process's peak resident memory (VmHWM) in bytes, or 0 when it cannot be read.
std::int64_t peakResidentBytes()
{
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    long long kib = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %lld kB", &kib) == 1)
            break;
    }
    std::fclose(status);
    return kib * 1024;
}

// Peak memory of a fresh process that loads the log, beside the file's size: the growth of
// the peak over what the process held before, in a child per iteration.
void BM_LoadPeakMemory(benchmark::State &state)
{
    Fixture &f = fixture();
    double ratio = 0;
    for (auto _ : state) {
        int channel[2];
        if (::pipe(channel) != 0)
            state.SkipWithError("pipe failed");
        const pid_t child = ::fork();
        if (child == 0) {
            const std::int64_t before = peakResidentBytes();
            auto *log = new CAnswerLog;
            log->loadAnswerLog(f.path);
            const std::int64_t grown = peakResidentBytes() - before;
            ::_exit(::write(channel[1], &grown, sizeof grown) == sizeof grown ? 0 : 1);
        }
        std::int64_t grown = 0;
        if (::read(channel[0], &grown, sizeof grown) != sizeof grown)
            state.SkipWithError("child failed");
        ::close(channel[0]);
        ::close(channel[1]);
        ::waitpid(child, nullptr, 0);
        ratio = static_cast<double>(grown) / static_cast<double>(f.bytes);
    }
    state.counters["peak/file"] = ratio;
}

// The loaded large log as a drill meets it, and a copy of the file its saves may replace.
struct DrillFixture
{
    std::string path;
    CAnswerLog log;
    std::size_t next = 0; // the record the next drill takes

    DrillFixture()
    {
        Fixture &f = fixture();
        path = f.folder + "/drill-translog.txt";
        std::filesystem::copy_file(f.path, path, std::filesystem::copy_options::overwrite_existing);
        if (!log.loadAnswerLog(path))
            std::fprintf(stderr, "cannot load %s\n", path.c_str());
    }
    // A record of the loaded log that no drill has taken yet (its tallies still undecoded).
    const CSectionLog &freshRecord(std::string &user)
    {
        const std::size_t index = next++ % (kLearners * kRecords);
        const CUserLog &learner = log.users[index / kRecords];
        user = learner.name;
        return learner.sections[index % kRecords];
    }
};

DrillFixture &drillFixture()
{
    static DrillFixture f;
    return f;
}

// The history part of a drill's set-up after the large log was loaded: the learner's record
// for the collection and mode, and the working copy of its tallies.
void BM_DrillSetUp(benchmark::State &state)
{
    DrillFixture &f = drillFixture();
    for (auto _ : state) {
        std::string user;
        const std::string path = f.freshRecord(user).sectionName;
        const CSectionLog &record = obtainSectionLog(obtainUserLog(f.log, user), path,
                                                     LogModeIndex::JapaneseToEnglishTyped);
        std::vector<QuestionTally> working = record.tallies();
        benchmark::DoNotOptimize(working.data());
    }
}

// The end of a drill with the large log: the run folded into the learner's record and the
// log written under its lock (synced and renamed over the file).
void BM_DrillEndSave(benchmark::State &state)
{
    DrillFixture &f = drillFixture();
    for (auto _ : state) {
        std::string user;
        const CSectionLog &record = f.freshRecord(user);
        FinishedDrill drill;
        drill.userName = user;
        drill.sectionPath = record.sectionName;
        drill.correct = 9;
        drill.incorrect = 1;
        drill.startTime = 1700000000;
        drill.endTime = 1700000300;
        drill.tallies = record.tallies();
        incrementTally(drill.tallies, 3, QuestionTally::FirstCorrect);
        if (!f.log.recordFinishedDrill(drill, f.path))
            state.SkipWithError("save failed");
    }
}

// The check whether a tally line can be written back as read, over every tally line of the
// file already in memory: what a load would add if it checked every line (the program checks
// a line when it first saves it).
void BM_WriteBackCheckOfEveryLine(benchmark::State &state)
{
    Fixture &f = fixture();
    const std::string text = readWholeFile(f.path).value_or("");
    for (auto _ : state) {
        CLineSplitter lines(text);
        std::string_view line;
        std::size_t unchanged = 0;
        while (lines.next(line)) {
            if (line.starts_with("ql="))
                unchanged += writtenBackUnchanged(line.substr(3));
        }
        benchmark::DoNotOptimize(unchanged);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

// The first save's formatting after a load, which checks every line it writes back as read.
void BM_FirstFormatAfterLoad(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        auto log = std::make_unique<CAnswerLog>();
        if (!log->loadAnswerLog(f.path))
            state.SkipWithError("load failed");
        state.ResumeTiming();
        std::string text = log->formatAnswerLog();
        benchmark::DoNotOptimize(text.data());
        state.PauseTiming();
        text = std::string();
        log.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

// The floor of any save of the whole log: its bytes written with write(2) to a new file,
// synced and renamed over the old one, as the program's save does.
void BM_RawSyncedWriteOfTheSameBytes(benchmark::State &state)
{
    Fixture &f = fixture();
    const std::string text = f.log.formatAnswerLog();
    const std::string temporary = f.folder + "/raw.tmp";
    const std::string target = f.folder + "/raw.txt";
    for (auto _ : state) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        std::size_t done = 0;
        while (fd >= 0 && done < text.size()) {
            const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
            if (wrote <= 0)
                break;
            done += static_cast<std::size_t>(wrote);
        }
        if (fd < 0 || done != text.size() || ::fsync(fd) != 0)
            state.SkipWithError("cannot write");
        ::close(fd);
        if (std::rename(temporary.c_str(), target.c_str()) != 0)
            state.SkipWithError("cannot rename");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Formatting the whole large log right after loading it (the writer's part of the save).
void BM_FormatAfterLoad(benchmark::State &state)
{
    Fixture &f = fixture();
    CAnswerLog log;
    if (!log.loadAnswerLog(f.path))
        state.SkipWithError("load failed");
    for (auto _ : state) {
        std::string text = log.formatAnswerLog();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

// One learner with many records, without spare room in the record list (as a copy or an
// exactly sized load leaves it): the first record added must move every record.
const CUserLog &fullLearner()
{
    static const CUserLog learner = [] {
        constexpr int kLearnerRecords = 10000;
        const CUserLog &source = fixture().log.users.front();
        CUserLog user { "learner", {} };
        for (int i = 0; i < kLearnerRecords; ++i) {
            CSectionLog record = source.sections[static_cast<std::size_t>(i) % kRecords];
            record.sectionName += "/" + std::to_string(i);
            record.tallies().resize(100);
            user.sections.push_back(std::move(record));
        }
        return CUserLog(user); // the copy's list is exactly full
    }();
    return learner;
}

// obtainSectionLog for a collection the learner has no record of, after state.range(0)
// such records were already added: the first one pays for growing the list.
void BM_NewRecordAfterLoad(benchmark::State &state)
{
    const CUserLog &learner = fullLearner();
    const auto before = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto *user = new CUserLog(learner);
        for (int i = 0; i < before; ++i)
            obtainSectionLog(*user, "earlier/" + std::to_string(i), LogModeIndex(0));
        state.ResumeTiming();
        benchmark::DoNotOptimize(&obtainSectionLog(*user, "new", LogModeIndex(0)));
        state.PauseTiming();
        delete user;
        state.ResumeTiming();
    }
    state.SetLabel(before == 0 ? "first new record" : "second new record");
}

} // namespace

BENCHMARK(BM_RawLineScan)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawLineScanAtStart)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAtStart)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TallyMemoryOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Format)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadPeakMemory)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrillSetUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawSyncedWriteOfTheSameBytes)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrillEndSave)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBackCheckOfEveryLine)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FirstFormatAfterLoad)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatAfterLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_NewRecordAfterLoad)->Arg(0)->Arg(1)->Iterations(30)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
