// The programs' starts, up to their main window shown and painted, each start in a fresh
// process: the study program and the editor on the shipped starter data and on a large
// database and log, beside the start of an empty Qt dialog measured in the same run.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "app/datafolder.h"
#include "app/kvrsettings.h"
#include "app/ui/kvrmain.h"
#include "bench/benchdata.h"
#include "bench/startwatch.h"
#include "db/questiondatabase.h"
#include "editor/ui/editormain.h"
#include "history/answerlog.h"
#include "platform/environment.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"

namespace {

namespace fs = std::filesystem;
using kvr::bench::StartTimes;

enum class Data { Starter, Large };

// Runs work in a child process so that the benchmark's own heap stays as a fresh
// program's would be; true when it succeeded.
template <typename Work> bool inChild(Work work)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work() ? 0 : 1);
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)
        && WEXITSTATUS(status) == 0;
}

// The path of the last collection in file order ("Folder/Sub/Collection"), or empty.
std::string lastCollectionPath(const kvr::CFolder &folder, const std::string &prefix = {})
{
    for (auto it = folder.entries.rbegin(); it != folder.entries.rend(); ++it) {
        const std::string path = prefix.empty() ? it->name() : prefix + "/" + it->name();
        if (it->kind() == kvr::EntryKind::Section)
            return path;
        if (std::string inner = lastCollectionPath(it->folder(), path); !inner.empty())
            return inner;
    }
    return {};
}

// One user's world for a start: the install folder with "Datas" and "skin", the settings
// (a second start's: every value present, the learner registered), the per-user data and
// runtime folders.
class CStartFolder
{
public:
    CStartFolder(const std::string &root, Data data)
        : m_root(root)
    {
        m_ready = inChild([this, data] { return prepare(data); });
        ::mkdir(runtime().c_str(), 0700); // Qt insists on a private runtime folder
    }

    bool ready() const { return m_ready; }
    std::string install() const { return m_root + "/install"; }
    std::string config() const { return m_root + "/config"; }
    std::string runtime() const { return m_root + "/runtime"; }
    std::string dataHome() const { return m_root + "/data"; }
    std::string datas() const { return install() + "/Datas"; }

    // The sizes of the database and the log, e.g. "DBv3.kvr 4.8 MB, translog.txt 187 MB".
    std::string sizes() const
    {
        std::error_code error;
        const auto size = [&error](const std::string &path) {
            const double bytes = static_cast<double>(fs::file_size(path, error));
            char text[32];
            if (bytes < 1e4)
                std::snprintf(text, sizeof text, "%.0f bytes", bytes);
            else if (bytes < 1e7)
                std::snprintf(text, sizeof text, "%.1f %s", bytes < 1e6 ? bytes / 1e3 : bytes / 1e6,
                              bytes < 1e6 ? "kB" : "MB");
            else
                std::snprintf(text, sizeof text, "%.0f MB", bytes / 1e6);
            return std::string(text);
        };
        return "DBv3.kvr " + size(datas() + "/DBv3.kvr") + ", translog.txt "
            + size(datas() + "/translog.txt");
    }

    std::vector<std::pair<std::string, std::string>> environment() const
    {
        return { { "QT_QPA_PLATFORM", "offscreen" },
                 { "XDG_CONFIG_HOME", config() },
                 { "XDG_DATA_HOME", dataHome() },
                 { "XDG_RUNTIME_DIR", runtime() } };
    }

private:
    bool prepare(Data data) const
    {
        const std::string source = KVR_SOURCE_DIR "/data";
        if (!kvr::copyTreeKeepingExisting(source + "/Datas", datas())
            || !kvr::copyTreeKeepingExisting(source + "/skin", install() + "/skin")
            || !kvr::env::makeFolders(dataHome()))
            return false;
        const std::string database = datas() + "/DBv3.kvr";
        if (data == Data::Large) {
            if (!kvr::writeDatabase(kvr::bench::makeSampleDatabase(), database)
                || !kvr::bench::makeSampleLog().saveAnswerLog(datas() + "/translog.txt"))
                return false;
        }
        kvr::CQuestionDatabase db;
        if (!kvr::readDatabase(db, database))
            return false;
        return writeSettings(lastCollectionPath(db.root));
    }

    bool writeSettings(const std::string &lastSection) const
    {
        ::setenv("XDG_CONFIG_HOME", config().c_str(), 1); // this child only
        kvr::CFileSettingsStore store(kvr::settingsFilePath());
        const bool written = store.writeString("Options", "InstallPath", install())
            && store.writeString("DBv3", "filename", datas() + "/DBv3.kvr")
            && store.writeString("Options", "LogPath", datas() + "/translog.txt")
            && store.writeString("Options", "WebdiciniPath", datas() + "/webdic.ini")
            && store.writeString("Options", "UserName", "learner0")
            && store.writeString("Options", "LastSection", lastSection)
            && store.writeInt("KvrEditor", "Pediod", 200); // not the editor's first run
        // Loading writes every other value's default, as the first start did.
        kvr::CKvrSettings settings;
        const kvr::DataLocations locations { kvr::env::programFolder(), dataHome(), {}, {} };
        return written && settings.load(store, locations);
    }

    std::string m_root;
    bool m_ready = false;
};

const kvr::TempFolder &benchRoot()
{
    static const kvr::TempFolder root;
    return root;
}

// Made when a benchmark first needs it, once per run.
const CStartFolder &startFolder(Data data)
{
    if (data == Data::Starter) {
        static const CStartFolder starter(benchRoot() / "starter", Data::Starter);
        return starter;
    }
    static const CStartFolder large(benchRoot() / "large", Data::Large);
    return large;
}

// The program's own entry, as main() calls it.
void runProgram()
{
    static char name[] = "Kvr";
    static char *argv[] = { name, nullptr };
    static int argc = 1;
    kvr::ui::runStudyProgram(argc, argv);
}

void runEditor()
{
    static char name[] = "KvrEditor";
    static char *argv[] = { name, nullptr };
    static int argc = 1;
    kvr::ui::runQuestionEditor(argc, argv);
}

enum class Floor { Empty, Label };

// The floors: an empty dialog, and a dialog with one Japanese label in Qt's default font, the
// floor of any window that shows Japanese text (fontconfig's set-up and a fallback search
// for the Japanese face).
void runFloorDialog(Floor floor)
{
    static char name[] = "floor";
    static char *argv[] = { name, nullptr };
    static int argc = 1;
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("floorDlg"));
    if (floor == Floor::Label) {
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel(QString::fromUtf8("単語と問題集の学習システム"), &dialog));
    }
    dialog.show();
    QApplication::exec();
}

// Every start of a baseline dialog in this run, for the ratios.
struct Baseline
{
    double seconds = 0;
    int starts = 0;
    double mean() const { return starts ? seconds / starts : 0; }
};

Baseline &baseline(Floor floor)
{
    static Baseline empty, label;
    return floor == Floor::Empty ? empty : label;
}

StartTimes floorStart(Floor floor)
{
    const std::vector<std::pair<std::string, std::string>> env = { { "QT_QPA_PLATFORM",
                                                                     "offscreen" } };
    StartTimes times = kvr::bench::timeStartInChild(env, QStringLiteral("floorDlg"), QString(),
                                                    [floor] { runFloorDialog(floor); });
    if (times.ok()) {
        baseline(floor).seconds += times.painted;
        ++baseline(floor).starts;
    }
    return times;
}

void BM_Floor(benchmark::State &state, Floor floor)
{
    for (auto _ : state) {
        const StartTimes times = floorStart(floor);
        if (!times.ok()) {
            state.SkipWithError(times.error);
            break;
        }
        state.SetIterationTime(times.painted);
    }
}

// The study program's start shows a loading window first; the editor's does not.
struct Program
{
    void (*run)();
    const char *window;
    const char *loadingWindow;
};

constexpr Program kStudyProgram { runProgram, "mainDlg", "splashDlg" };
constexpr Program kEditor { runEditor, "CEditorDlg", "" };

void BM_Start(benchmark::State &state, Program program, Data data)
{
    const CStartFolder &folder = startFolder(data);
    if (!folder.ready()) {
        state.SkipWithError("the data could not be prepared");
        return;
    }
    state.SetLabel(folder.sizes());
    for (const Floor floor : { Floor::Empty, Floor::Label }) {
        while (baseline(floor).starts < 3) { // run alone: baselines of its own
            if (!floorStart(floor).ok())
                break;
        }
    }
    double total = 0, splash = 0, loaded = 0, shown = 0;
    for (auto _ : state) {
        const StartTimes times =
            kvr::bench::timeStartInChild(folder.environment(), QString::fromLatin1(program.window),
                                         QString::fromLatin1(program.loadingWindow), program.run);
        if (!times.ok()) {
            state.SkipWithError(times.error);
            break;
        }
        state.SetIterationTime(times.painted);
        total += times.painted;
        splash += times.loadingPainted;
        loaded += times.loadingHidden;
        shown += times.shown;
    }
    const double n =
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    // Milliseconds from the fork to the splash's first paint, to the end of loading and to
    // the main window's show (its paint ends the start).
    if (*program.loadingWindow) {
        state.counters["splash_ms"] = 1000 * splash / n;
        state.counters["loaded_ms"] = 1000 * loaded / n;
    }
    state.counters["shown_ms"] = 1000 * shown / n;
    if (baseline(Floor::Empty).mean() > 0)
        state.counters["x_empty"] = total / n / baseline(Floor::Empty).mean();
    if (baseline(Floor::Label).mean() > 0)
        state.counters["x_label"] = total / n / baseline(Floor::Label).mean();
}

double minimum(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

double maximum(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

} // namespace

BENCHMARK_CAPTURE(BM_Floor, empty_dialog, Floor::Empty)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);
BENCHMARK_CAPTURE(BM_Floor, japanese_label, Floor::Label)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);
BENCHMARK_CAPTURE(BM_Start, study_starter, kStudyProgram, Data::Starter)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);
BENCHMARK_CAPTURE(BM_Start, study_large, kStudyProgram, Data::Large)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);
BENCHMARK_CAPTURE(BM_Start, editor_starter, kEditor, Data::Starter)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);
BENCHMARK_CAPTURE(BM_Start, editor_large, kEditor, Data::Large)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);

BENCHMARK_MAIN();
