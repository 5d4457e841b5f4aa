#include "app/ui/testsupport_main.h"

#include <algorithm>
#include <unistd.h>

#include "platform/cp932.h"
#include "platform/testsupport.h"

namespace kvr::test {

void RecordingMainWindowDialogs::showQuestionList(const CSection &section, const QString &name,
                                                  QWidget *)
{
    questionLists.emplace_back(section.lines.empty() ? std::string() : section.lines.front(), name);
}

bool RecordingMainWindowDialogs::manageLearners(QWidget *)
{
    ++learnerDialogs;
    return learnerDialogResult;
}

void RecordingMainWindowDialogs::makeShortcut(const std::string &sectionPath, QWidget *)
{
    shortcuts.push_back(sectionPath);
}

namespace {

void fillSection(CSection &section, const char *name, int questions)
{
    section.name = sj(name);
    for (int i = 0; i < questions; ++i)
        section.appendLine("?word" + std::to_string(i) + ",,,,," + sj("言葉") + ",,,");
}

} // namespace

void addFinishedDrills(CAnswerLog &log, const std::string &userName, const std::string &path,
                       LogModeIndex mode, int runs, int questions)
{
    constexpr std::int32_t kFirstDrill = 1717232400; // 2024-06-01 09:00 UTC
    CSectionLog &record = obtainSectionLog(obtainUserLog(log, userName), path, mode);
    for (int run = 0; run < runs; ++run) {
        DrillRunRecord drill;
        record.lastMissed.clear();
        const int taken = std::min(10, questions);
        for (int i = 0; i < taken; ++i) {
            const int position = (run * taken + i) % questions;
            const bool right = (i * 7 + run * 3) % 10 < std::min(4 + run / 2, 10);
            incrementTally(record.tallies(), static_cast<std::size_t>(position),
                           right ? QuestionTally::FirstCorrect : QuestionTally::FirstIncorrect);
            if (!right)
                record.lastMissed.push_back(position);
            ++(right ? drill.correct : drill.incorrect);
        }
        drill.startTime = kFirstDrill + run * 86400;
        drill.endTime = drill.startTime + 200 + run * 13;
        drill.keyCount = 60 + run;
        addDrillRun(record, drill);
        // A series used up starts again, as the drill's own set-up does.
        const bool fresh = run == 0 || record.seriesDone + taken > questions;
        advanceSeries(record, fresh ? 777 + static_cast<std::uint32_t>(run) : record.seriesSeed,
                      taken, fresh);
    }
}

CQuestionDatabase sampleDatabase()
{
    CQuestionDatabase database;
    CSection &zeta = database.root.addSection();
    fillSection(zeta, "Zeta", 3);
    zeta.header.headerFields[CInnerHeader::CopyrightHolder] = sj("著者Z");
    zeta.header.headerFields[CInnerHeader::Inputter] = sj("入力Z");
    zeta.header.notes = { sj("一行目"), sj("二行目") };

    CFolder &alpha = database.root.addFolder();
    alpha.name = sj("Alpha");
    alpha.header.headerFields[CInnerHeader::CopyrightHolder] = sj("フォルダ著者");
    fillSection(alpha.addSection(), "beta", 2);
    fillSection(alpha.addSection(), "Gamma", 1);

    fillSection(database.root.addSection(), "mid", 0);
    return database;
}

MainWindowRig::MainWindowRig()
    : database(sampleDatabase())
{
    startPrompter.count = 5;
    clock.time = 1700000000;
}

MainWindowRig::~MainWindowRig() = default;

std::unique_ptr<ui::CMainDlg> MainWindowRig::makeWindow()
{
    ui::MainWindowServices services;
    services.modeChooser = &modeChooser;
    services.startPrompter = &startPrompter;
    services.drillRunner = &drillRunner;
    services.dialogs = &dialogs;
    services.shell = &shell;
    services.editorMarker = "kvr-main-test-editor-" + std::to_string(::getpid());
    return std::make_unique<ui::CMainDlg>(context, std::move(services));
}

} // namespace kvr::test
