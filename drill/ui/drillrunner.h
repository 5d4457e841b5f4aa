#pragma once

#include "drill/drillsetup.h"
#include "drill/drillstarter.h"

class QWidget;

namespace kvr {
class CAnswerLog;
class CPronunciation;
struct CQuestionDatabase;
class IClock;
class IFileDialogs;
class IPrompter;
class ISettingsStore;
struct CKvrSettings;
} // namespace kvr

namespace kvr::ui {

// What a drill window reaches besides its set-up; everything outlives the window.
struct DrillWindowContext
{
    CKvrSettings &settings; // SkinPath may change (skin menu) and is saved through store
    ISettingsStore &store;
    CAnswerLog &log; // the drill's history goes here and is saved at its end
    CQuestionDatabase &database; // "データベースに追加する...(&A)" writes it
    CPronunciation &voice;
    IPrompter &prompter;
    IFileDialogs &fileDialogs; // the skin file and the question list's export
    const IClock &clock;
};

// Runs one drill in its window, modally, and returns when the window has closed (after the
// result report and the history update), or after the drills of missed questions the
// learner started from the reports. The caller holds the in-use marker meanwhile.
void runDrillWindow(DrillSetup setup, DrillWindowContext &context, QWidget *parent);

// The drill window as the starts run it, over a window of its own.
class CQtDrillRunner final : public IDrillRunner
{
public:
    explicit CQtDrillRunner(DrillWindowContext context)
        : m_context(context)
    {
    }
    void runDrill(const DrillSetup &setup) override { runDrillWindow(setup, m_context, nullptr); }

private:
    DrillWindowContext m_context;
};

} // namespace kvr::ui
