#pragma once

// The main window's test rig: everything its context holds, with fakes for the windows and
// programs its commands open.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QUrl>

#include "app/kvrsettings.h"
#include "app/startup.h"
#include "app/ui/maindlg.h"
#include "app/ui/mainwindowdialogs.h"
#include "app/webdictionary.h"
#include "db/questiondatabase.h"
#include "drill/drillstarter.h"
#include "drill/pronunciation.h"
#include "drill/testsupport_drillstart.h"
#include "history/answerlog.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/settingsstore.h"
#include "platform/sound.h"
#include "platform/testsupport_clock.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"
#include "platform/testsupport_shell.h"
#include "platform/testsupport_sound.h"

namespace kvr::test {

// The windows the commands open: each showing is recorded; the learner manager answers
// learnerDialogResult.
class RecordingMainWindowDialogs final : public ui::IMainWindowDialogs
{
public:
    void showQuestionList(const CSection &section, const QString &name, QWidget *) override;
    bool manageLearners(QWidget *) override;
    void showOptions(QWidget *) override { ++optionSheets; }
    void makeShortcut(const std::string &sectionPath, QWidget *) override;

    std::vector<std::pair<std::string, QString>> questionLists; // (first line, name)
    int learnerDialogs = 0;
    bool learnerDialogResult = true;
    int optionSheets = 0;
    std::vector<std::string> shortcuts;
};

// A database of UTF-8 names (stored as CP932):
//   "Zeta"        collection, 3 questions, copyright "著者Z", inputter "入力Z", note
//   "一行目/二行目" "Alpha"       folder, copyright "フォルダ著者"
//     "beta"      collection, 2 questions
//     "Gamma"     collection, 1 question
//   "mid"         collection, 0 questions
CQuestionDatabase sampleDatabase();

// Folds runs finished drills of the collection at path into the learner's record for mode,
// one a day: each takes the next ten of the collection's questions (line positions 0 …
// questions - 1), the share answered right growing from drill to drill.
void addFinishedDrills(CAnswerLog &log, const std::string &userName, const std::string &path,
                       LogModeIndex mode, int runs, int questions);

// The rig: one main window's context and services, all fakes.
struct MainWindowRig
{
    MainWindowRig();
    ~MainWindowRig();

    // A window over the rig; settings may be changed before.
    std::unique_ptr<ui::CMainDlg> makeWindow();

    CKvrSettings settings;
    CMemorySettingsStore store;
    CQuestionDatabase database;
    CAnswerLog log;
    std::vector<WebDictionary> webDictionaries;
    CRecordingSoundPlayer sound;
    CPronunciation voice { nullptr, sound, settings };
    CScriptedPrompter prompter;
    ScriptedFileDialogs fileDialogs; // cancels every dialog
    FixedClock clock;
    ui::MainWindowContext context { settings, store, database, log,         webDictionaries,
                                    voice,    sound, prompter, fileDialogs, clock };

    ScriptedModeChooser modeChooser;
    ScriptedStartPrompter startPrompter; // count 5
    RecordingDrillRunner drillRunner; // every drill run, in order
    RecordingMainWindowDialogs dialogs;
    RecordingShell shell;
};

} // namespace kvr::test
