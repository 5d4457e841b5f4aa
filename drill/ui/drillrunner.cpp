#include "drill/ui/drillrunner.h"

#include <optional>

#include "app/kvrsettings.h"
#include "drill/answeraddition.h"
#include "drill/drilljournal.h"
#include "drill/drillsession.h"
#include "drill/ui/drilldlg.h"
#include "drill/ui/resultdlg.h"
#include "platform/dailybackup.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qttimerhost.h"

namespace kvr::ui {

namespace {

// Runs one drill; the drill the learner asked for in its report comes back.
std::optional<DrillSetup> runDrill(DrillSetup setup, DrillWindowContext &context, QWidget *parent)
{
    const CSection section = setup.sectionCopy; // for the question preview
    CDrillDlg *window = nullptr;
    CQtTimerHost timers(nullptr, [&window](int id) {
        if (window)
            window->timerFired(id);
    });
    CDrillReportRelay results;
    const CDailyBackup backup(context.clock, context.prompter);
    CDatabaseAnswerStore answers(context.database, context.settings.DatabaseFilename, &backup);
    CFileAnswerJournal journal(journalPathBeside(context.settings.LogPath));
    const DrillServices services { timers,  context.clock, context.voice, context.prompter,
                                   results, &answers,      &journal };
    CDrillSession session(std::move(setup), context.settings, context.log, services);
    CDrillDlg dialog(session, context, section, parent);
    CQtResultPresenter report(&dialog, rgbFromColorRef(context.settings.BackgroundColor));
    results.attach(&dialog, &report);
    window = &dialog;
    dialog.exec();
    window = nullptr;
    results.attach(nullptr, nullptr);
    return session.followUpDrill();
}

} // namespace

void runDrillWindow(DrillSetup setup, DrillWindowContext &context, QWidget *parent)
{
    // A drill of the missed questions runs at once, under the marker the caller holds.
    std::optional<DrillSetup> next = std::move(setup);
    while (next) {
        DrillSetup current = std::move(*next);
        next.reset();
        guarded(context.prompter, [&] { next = runDrill(std::move(current), context, parent); });
    }
}

} // namespace kvr::ui
