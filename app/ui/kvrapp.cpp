#include "app/ui/kvrapp.h"

#include <QApplication>

#include "app/datafolder.h"
#include "app/shell/mainsession.h"
#include "app/ui/appinfo.h"
#include "app/ui/maindlg.h"
#include "drill/drillstarter.h"
#include "drill/pronunciation.h"
#include "drill/ui/drillrunner.h"
#include "history/answerlog.h"
#include "history/ui/learnerdialogs.h"
#include "platform/crand.h"
#include "platform/settingsstore.h"
#include "platform/ui/afterpaint.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtsound.h"
#include "platform/ui/qtspeech.h"

namespace kvr::ui {

namespace {

// The single-instance marker: the product's name.
constexpr const char *kInstanceName = "Kelvora";

} // namespace

CKvrApp::CKvrApp()
    : m_prompter(utext(kProgramCaption))
{
}

CKvrApp::~CKvrApp() = default;

int CKvrApp::run(const QStringList &args)
{
    // Nothing that fails on the way may end the program without a word.
    int exitCode = 1;
    guarded(m_prompter, [&] { exitCode = runSteps(args); });
    return exitCode;
}

int CKvrApp::runSteps(const QStringList &args)
{
    // A second copy ends at once, before it shows or reads anything.
    if (!m_instance.acquire(kInstanceName))
        return 0;
    for (const QString &arg : args)
        m_arguments.push_back(cp932(arg));

    m_sound = std::make_unique<CQtSoundPlayer>();
    m_speech = std::make_unique<CQtSpeechEngine>(*m_sound);
    crt::srand(static_cast<std::uint32_t>(m_clock.now()));

    m_store = openUserSettings();
    m_settings.load(*m_store);
    if (!seedUserData(m_settings.InstallPath, DataLocations::current()))
        m_prompter.ask(seedFailedMessage(m_settings.InstallPath));
    // Also one copy per data folder, when copies see different runtime folders.
    m_dataFolderClaim = claimDataFolder(m_settings.LogPath);
    if (m_dataFolderClaim && !m_dataFolderClaim->locked())
        return 0;

    // Without a working engine CPronunciation skips every speech call.
    m_voice = std::make_unique<CPronunciation>(m_speech.get(), *m_sound, m_settings);

    const bool loaded = loadBehindSplash();
    tellSettingsWriteFailure();
    if (!loaded)
        return 1;
    // Not during loading: its boxes are carried over from the loading thread.
    m_log.setDailyBackup(&m_backup);
    if (!registerFirstLearner(nullptr, m_settings, *m_store, m_log, m_prompter))
        return 0;
    const int exitCode = m_arguments.empty() ? runMainWindow() : runCommandLine();
    // Drills whose save failed are still only in memory: not dropped without a word.
    settleUnsavedDrills(m_log, m_settings.LogPath, m_prompter, m_fileDialogs);
    tellSettingsWriteFailure();
    return exitCode;
}

// What no window waits for: run once the main window is seen, or before a drill that starts
// without it. The speech settings ask whether speech works, which waits for the engine's probe;
// the effects connect to the sound server.
void CKvrApp::finishStart()
{
    m_voice->applyVoiceSettings();
    m_sound->preload(m_settings.CorrectSoundfile);
    m_sound->preload(m_settings.IncorrectSoundfile);
}

// Once, with the file's path: the store hands a failure out only once.
void CKvrApp::tellSettingsWriteFailure()
{
    if (const std::optional<std::string> failed = m_store->takeWriteFailure())
        m_prompter.ask(errorBox(settingsWriteFailedText(*failed)));
}

int CKvrApp::runMainWindow()
{
    MainWindowContext context { m_settings, *m_store, m_database, m_log,         m_webDictionaries,
                                *m_voice,   *m_sound, m_prompter, m_fileDialogs, m_clock };
    CMainDlg window(context);
    runAfterFirstPaint(window, [this] { guarded(m_prompter, [this] { finishStart(); }); });
    window.exec();
    m_settings.saveWindowState(*m_store);
    return 0;
}

int CKvrApp::runCommandLine()
{
    switch (decideStartup(m_arguments)) {
    case StartupAction::MainWindow:
        return runMainWindow();
    case StartupAction::AutorunDrill:
        runAutorunDrill();
        return 0;
    case StartupAction::MessageAutorunWithoutSection:
        m_prompter.ask(autorunWithoutSectionMessage());
        return 1;
    case StartupAction::MessageBadOptions:
        m_prompter.ask(badOptionsMessage());
        return 1;
    }
    return 1;
}

void CKvrApp::runAutorunDrill()
{
    finishStart();
    const CCommandLine commandLine = parseCommandLine(m_arguments);
    DrillStartContext starter { m_database.root, m_log,
                                m_settings,      m_prompter,
                                m_clock,         inUseMarkerBeside(m_settings.DatabaseFilename) };
    CQtDrillRunner drillWindow(DrillWindowContext { m_settings, *m_store, m_log, m_database,
                                                    *m_voice, m_prompter, m_fileDialogs, m_clock });
    runShortcutDrill(starter, commandLine, drillWindow);
}

} // namespace kvr::ui
