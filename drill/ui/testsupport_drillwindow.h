#pragma once

// The drill window over a session on simulated time, for the widget tests of drill/ui.

#include <memory>
#include <string>
#include <vector>

#include <QLabel>
#include <QString>
#include <QTest>

#include "app/kvrsettings.h"
#include "db/questiondatabase.h"
#include "drill/drillsession.h"
#include "drill/testsupport_session.h"
#include "drill/ui/answeredit.h"
#include "drill/ui/drilldlg.h"
#include "drill/ui/drillrunner.h"
#include "platform/clock.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"

namespace kvr::session_test {

// A file of the source tree (KVR_TEST_SOURCE_DIR).
std::string sourceFile(const char *relative);

// Four everyday words: Japanese question, English answers, a hint on the first.
std::vector<std::string> words();

// What every drill window test gives the window: settings on the shipped default skin, a
// log in a fresh folder, a database, recording speech and sound, scripted boxes and file
// dialogs.
struct DrillWindowFiles
{
    DrillWindowFiles()
    {
        settings.LogPath = folder.file("translog.txt");
        settings.SkinPath = sourceFile("data/skin/default.ini");
    }

    TempFolder folder;
    CKvrSettings settings = quietSettings();
    CMemorySettingsStore store;
    CAnswerLog log;
    CQuestionDatabase database;
    test::RecordingServices voice { settings };
    test::CScriptedPrompter prompter;
    test::ScriptedFileDialogs fileDialogs;

    ui::DrillWindowContext contextOn(const IClock &clock)
    {
        return {
            settings, store, log, database, voice.pronunciation, prompter, fileDialogs, clock
        };
    }
};

// The real window over a session on simulated time.
struct WindowRig : DrillWindowFiles
{
    WindowRig() { settings.DatabaseFilename = folder.file("DBv3.kvr"); }

    bool open(DrillSetup setup)
    {
        section = setup.sectionCopy;
        const DrillServices services { timers,   clock, voice.pronunciation,
                                       prompter, relay, answerStore };
        session = std::make_unique<CDrillSession>(std::move(setup), settings, log, services);
        dlg = std::make_unique<ui::CDrillDlg>(*session, context, section);
        relay.attach(dlg.get(), &results);
        timers.setTarget([this](int id) { dlg->timerFired(id); });
        dlg->show();
        return QTest::qWaitForWindowExposed(dlg.get());
    }

    DrillView view() const { return session->view(); }
    DrillState state() const { return view().state; }

    // Runs the simulated time until the session waits for the learner (or has closed).
    bool awaitingAnswer()
    {
        timers.runWhile([this] {
            const DrillState s = state();
            const bool correctionDone = s == DrillState::Correcting && timers.isRunning(TIMER_NEXT);
            return !view().closed
                && (s == DrillState::Starting || s == DrillState::ShowingCorrect
                    || s == DrillState::ShowingWrong || correctionDone);
        });
        return !view().closed;
    }

    template <typename Widget> Widget *widget(const char *name) const
    {
        return dlg->findChild<Widget *>(QString::fromLatin1(name));
    }
    ui::CAnswerEdit *input() const { return widget<ui::CAnswerEdit>("input"); }
    QString labelText(const char *name) const { return widget<QLabel>(name)->text(); }

    void typeAndEnter(const char *ascii)
    {
        QTest::keyClicks(input(), QString::fromLatin1(ascii));
        QTest::keyClick(input(), Qt::Key_Return);
    }

    FakeClock clock;
    FakeTimers timers { clock };
    FakeResultPresenter results;
    ui::CDrillReportRelay relay;
    ui::DrillWindowContext context = contextOn(clock);
    IAnswerStore *answerStore = nullptr; // set before open() to offer adding answers
    CSection section;
    std::unique_ptr<CDrillSession> session;
    std::unique_ptr<ui::CDrillDlg> dlg;
};

// The real window run modally by the runner, on real timers and the system clock.
struct RealTimeRig : DrillWindowFiles
{
    ui::DrillWindowContext context = contextOn(CSystemClock::instance());
};

// An input-method event of a pending composition (a committed text: test::commitText).
void sendPreedit(QWidget *target, const QString &text);

// No two visible controls of the window share a pixel, and the pass list's title ends left
// of its separator line.
void expectNothingOverlaps(const WindowRig &rig);

} // namespace kvr::session_test
