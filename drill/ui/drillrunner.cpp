#include "drill/ui/drillrunner.h"

#include "drill/ui/drillcore.h"
#include "drill/ui/drilldlg.h"
#if __has_include("drill/ui/resultdlg.h")
#include "drill/ui/resultdlg.h"
#else
#include "drill/resultreport.h"
#endif
#include "platform/ui/guarded.h"
#include "platform/ui/qttimerhost.h"

namespace kvr::ui {

namespace {

#if !__has_include("drill/ui/resultdlg.h")
// Until the result dialog lands: the report as a plain message over the window.
class CQtResultPresenter final : public IResultPresenter
{
public:
    CQtResultPresenter(QWidget *, Rgb) { }
    void attachPrompter(IPrompter &prompter) { m_prompter = &prompter; }
    void showResultReport(const ResultReport &report) override
    {
        std::string text = report.comment;
        for (const ReportRow &row : report.rows)
            text += "\n" + row.label + "  " + row.value;
        if (m_prompter)
            m_prompter->tell(text, resultCaption());
    }

private:
    IPrompter *m_prompter = nullptr;
};
#define KVR_RESULT_STAND_IN 1
#endif

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
#ifdef KVR_RESULT_STAND_IN
    report.attachPrompter(context.prompter);
#endif
    results.attach(&dialog, &report);
    window = &dialog;
    dialog.exec();
    window = nullptr;
    results.attach(nullptr, nullptr);
}

} // namespace

void runDrillWindow(DrillSetup setup, DrillWindowContext &context, QWidget *parent)
{
    guarded(context.prompter, "%s", [&] { runDrill(std::move(setup), context, parent); });
}

} // namespace kvr::ui
