#pragma once

// The history pages' test rig: a page context over the shipped starter database, with
// recorders for speech, URLs, drill starts and main-window refreshes, and a history made by
// folding simulated drills into the log the way a finished drill does.

#include <memory>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "app/kvrsettings.h"
#include "app/webdictionary.h"
#include "app/weblookup.h"
#include "db/questiondatabase.h"
#include "drill/drillstarter.h"
#include "drill/pronunciation.h"
#include "history/answerlog.h"
#include "history/ui/historypages.h"
#include "platform/settingsstore.h"
#include "platform/sound.h"
#include "platform/testsupport_prompter.h"
#include "platform/testsupport_shell.h"
#include "platform/testsupport_sound.h"

namespace kvr::test {

// "英単語/中学１年/身の回りのもの" of the starter database (CP932).
std::string starterCollectionPath();

// Folds runs simulated drills of one collection and mode into the learner's record, one a
// day from a fixed date, through recordFinishedDrill: each takes the next ten questions of
// the series, with a changing share answered right at once; the missed ones are answered
// again. Returns false when the log could not be written to logPath.
bool addSimulatedDrills(CAnswerLog &log, const CSection &section, const std::string &userName,
                        const std::string &path, LogModeIndex mode, int runs,
                        const std::string &logPath);

struct HistoryPageRig
{
    HistoryPageRig(); // the starter database and web dictionaries, learner "学習者"
    ~HistoryPageRig();

    const CSection &starterSection() const;
    // The starter collection as the main window's refresh selects it.
    ui::PageSelection starterSelection() const;
    // runs simulated drills of the starter collection in the current LogMode.
    void addStarterHistory(int runs);

    QTemporaryDir folder; // the log is saved here
    CKvrSettings settings;
    CMemorySettingsStore store;
    CQuestionDatabase database;
    CAnswerLog log;
    std::vector<WebDictionary> webDictionaries;
    CRecordingSoundPlayer sound;
    CRecordingSpeechEngine speech;
    CPronunciation voice { &speech, sound, settings };
    RecordingShell shell;
    CScriptedPrompter prompter;
    std::vector<WindowDrillRequest> drills;
    int refreshes = 0;
    ui::HistoryPageContext context;
};

} // namespace kvr::test
