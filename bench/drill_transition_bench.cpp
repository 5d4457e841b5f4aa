// One question transition of the drill window: after a correct answer, the timer that ends
// the display of its last accepted answer fires, the session moves on, and the window shows
// and paints the next question.
// The window is the real one over a session on simulated time (the core's fake timers),
// so only the work of the transition is timed, never a wait.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QWindow>

#include "app/kvrsettings.h"
#include "bench/benchdata.h"
#include "db/questiondatabase.h"
#include "drill/drillsession.h"
#include "drill/drilltimers.h"
#include "drill/testsupport_session.h"
#include "drill/ui/drilldlg.h"
#include "drill/ui/drillrunner.h"
#include "platform/settingsstore.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/ui/fonts.h"

using namespace kvr;
using namespace kvr::session_test;

namespace {

constexpr int kQuestions = 100;

// How the timed transition ends: the whole window repainted at once, or the posted
// updates painted as the event loop would paint them after the timer.
enum class Finish { Repaint, EventLoop };

// The drill window over a collection of kQuestions questions, answered correctly one by one.
class CDrillBench
{
public:
    CDrillBench()
    {
        m_settings.LogPath = m_folder.file("translog.txt");
        m_settings.DatabaseFilename = m_folder.file("DBv3.kvr");
        m_settings.SkinPath = KVR_SOURCE_DIR "/data/skin/default.ini";
        // As shipped: each question starts the bar of the time allowed until the first key.
        m_settings.UseReplyStartLimitJe = true;
    }

    // Answers the question on screen and runs the simulated time up to the moment the next
    // question is due. False when the window is not where the drill should be.
    bool prepareTransition()
    {
        if (!m_window || view().state != DrillState::Answering || view().remaining.value == 0) {
            if (!open())
                return false;
        }
        const CQuestion question = bench::sampleQuestion(m_current);
        for (const std::string &answer : question.answers) {
            if (answer.empty() || view().state != DrillState::Answering)
                break;
            m_session->confirm(answer);
            m_window->render();
        }
        if (view().state != DrillState::ShowingCorrect)
            return false;
        // A correct typed answer shows each accepted answer in turn; the timer after the last
        // one brings the next question.
        const int steps = static_cast<int>(view().answerMarks.size());
        for (int step = 1; step < steps; ++step) {
            if (!m_timers.fire(TIMER_ANSWER_STEP))
                return false;
        }
        if (!m_timers.isRunning(TIMER_ANSWER_STEP))
            return false;
        m_timers.advance(static_cast<std::uint64_t>(m_timers.dueIn(TIMER_ANSWER_STEP) - 1));
        QApplication::processEvents(); // paints left from the answer
        m_remainingBefore = view().remaining.value;
        return true;
    }

    void transition(Finish finish)
    {
        m_timers.fire(TIMER_ANSWER_STEP);
        if (finish == Finish::Repaint)
            m_window->repaint();
        else
            QApplication::processEvents();
    }

    // True when the next question is on screen.
    bool moved()
    {
        ++m_current;
        return view().state == DrillState::Answering
            && view().remaining.value == m_remainingBefore - 1;
    }

private:
    DrillView view() const { return m_session->view(); }

    // A new drill over the collection, shown, its countdown over.
    bool open()
    {
        m_window.reset();
        m_session.reset();
        for (int id : kDrillTimerIds)
            m_timers.stopTimer(id); // none of the old drill's may reach the new one
        m_setup.sectionPath = "Words/Unit";
        m_setup.sectionCopy = CSection();
        m_setup.sectionCopy.name = "Unit";
        for (int n = 0; n < kQuestions; ++n)
            m_setup.sectionCopy.appendLine(bench::sampleQuestionLine(n));
        m_setup.drillMode = DrillMode::JapaneseToEnglishTyped;
        m_setup.sequentialOrder = true;
        const DrillServices services { m_timers, m_clock, m_voice.pronunciation, m_prompter,
                                       m_relay };
        m_session = std::make_unique<CDrillSession>(m_setup, m_settings, m_log, services);
        m_window = std::make_unique<ui::CDrillDlg>(*m_session, m_context, m_setup.sectionCopy);
        m_relay.attach(m_window.get(), &m_results);
        m_timers.setTarget([this](int id) { m_window->timerFired(id); });
        m_window->show();
        while (!m_window->windowHandle() || !m_window->windowHandle()->isExposed())
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        m_current = 0;
        m_voice.take();
        return m_timers.fire(TIMER_NEXT) && view().state == DrillState::Answering;
    }

    TempFolder m_folder;
    FakeClock m_clock;
    FakeTimers m_timers { m_clock };
    CKvrSettings m_settings = quietSettings();
    CMemorySettingsStore m_store;
    CAnswerLog m_log;
    CQuestionDatabase m_database;
    test::RecordingServices m_voice { m_settings };
    test::CScriptedPrompter m_prompter;
    FakeResultPresenter m_results;
    ui::CDrillReportRelay m_relay;
    test::ScriptedFileDialogs m_fileDialogs;
    ui::DrillWindowContext m_context {
        m_settings, m_store,       m_log,  m_database, m_voice.pronunciation,
        m_prompter, m_fileDialogs, m_clock
    };
    DrillSetup m_setup;
    std::unique_ptr<CDrillSession> m_session;
    std::unique_ptr<ui::CDrillDlg> m_window;
    int m_current = 0;
    int m_remainingBefore = 0;
};

double threadCpuSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void BM_NextQuestion(benchmark::State &state, Finish finish)
{
    CDrillBench bench;
    double worst = 0, worstCpu = 0;
    for (auto _ : state) {
        if (!bench.prepareTransition()) {
            state.SkipWithError("the drill did not reach the next question's timer");
            break;
        }
        const double cpuStart = threadCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        bench.transition(finish);
        const auto end = std::chrono::steady_clock::now();
        worstCpu = std::max(worstCpu, threadCpuSeconds() - cpuStart);
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        worst = std::max(worst, seconds);
        if (!bench.moved()) {
            state.SkipWithError("the next question did not show");
            break;
        }
    }
    // The slowest single transition, and the most processor time one took: on a shared
    // machine the first may be another program's turn, the second is the window's work.
    state.counters["worst_us"] = 1e6 * worst;
    state.counters["worst_cpu_us"] = 1e6 * worstCpu;
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

BENCHMARK_CAPTURE(BM_NextQuestion, repaint, Finish::Repaint)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);
BENCHMARK_CAPTURE(BM_NextQuestion, event_loop, Finish::EventLoop)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", minimum)
    ->ComputeStatistics("max", maximum);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    kvr::ui::installFontSubstitutions();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
