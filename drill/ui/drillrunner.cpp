#include "drill/ui/drillrunner.h"

#include "drill/drillsession.h"
#include "drill/ui/drilldlg.h"
#include "drill/ui/resultdlg.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qttimerhost.h"

namespace kvr::ui {

namespace {

void runDrill(DrillSetup setup, DrillWindowContext &context, QWidget *parent)
{
    const CSection section = setup.sectionCopy; // for the question preview
    CDrillDlg *window = nullptr;
    CQtTimerHost timers(nullptr, [&window](int id) {
        if (window)
            window->timerFired(id);
    });
    CDrillReportRelay results;
    const DrillServices services { timers, context.clock, context.voice, context.prompter,
                                   results };
    CDrillSession session(std::move(setup), context.settings, context.log, services);
    CDrillDlg dialog(session, context, section, parent);
    CQtResultPresenter report(&dialog, rgbFromColorRef(context.settings.BackgroundColor));
    results.attach(&dialog, &report);
    window = &dialog;
    dialog.exec();
    window = nullptr;
    results.attach(nullptr, nullptr);
}

} // namespace

void runDrillWindow(DrillSetup setup, DrillWindowContext &context, QWidget *parent)
{
    guarded(context.prompter, [&] { runDrill(std::move(setup), context, parent); });
}

} // namespace kvr::ui
