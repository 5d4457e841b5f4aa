#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QStringList>

#include "app/commandline.h"
#include "app/kvrsettings.h"
#include "app/webdictionary.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/clock.h"
#include "platform/dailybackup.h"
#include "platform/filelock.h"
#include "platform/namedmutex.h"
#include "platform/ui/qtfiledialogs.h"
#include "platform/ui/qtprompter.h"

namespace kvr {
class CPronunciation;
class ISettingsStore;
} // namespace kvr

namespace kvr::ui {

class CQtSoundPlayer;
class CQtSpeechEngine;

// The study program's one application object: it owns the settings, the question
// database, the answer-history log, the web dictionaries, sound and speech and the
// single-instance marker for the whole run, and runs the program from start to end.
class CKvrApp final
{
public:
    CKvrApp();
    ~CKvrApp();
    CKvrApp(const CKvrApp &) = delete;
    CKvrApp &operator=(const CKvrApp &) = delete;

    // args: the arguments after the program name. Returns the exit code.
    int run(const QStringList &args);

private:
    int runSteps(const QStringList &args);
    bool loadBehindSplash();
    int runMainWindow();
    int runCommandLine();
    void runAutorunDrill();

    void finishStart();
    void tellSettingsWriteFailure();

    CSystemClock m_clock;
    std::unique_ptr<CFileLock> m_dataFolderClaim;
    CQtPrompter m_prompter;
    CDailyBackup m_backup { m_clock, m_prompter };
    CQtFileDialogs m_fileDialogs { m_prompter };
    CNamedMutex m_instance;
    std::unique_ptr<ISettingsStore> m_store;
    CKvrSettings m_settings;
    CQuestionDatabase m_database;
    CAnswerLog m_log;
    std::vector<WebDictionary> m_webDictionaries;
    std::unique_ptr<CQtSoundPlayer> m_sound;
    std::unique_ptr<CQtSpeechEngine> m_speech;
    std::unique_ptr<CPronunciation> m_voice;
    std::vector<std::string> m_arguments; // CP932
};

} // namespace kvr::ui
