#include "editor/ui/editormain.h"

#include <memory>
#include <optional>
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include "app/datafolder.h"
#include "app/kvrsettings.h"
#include "app/ui/aboutdlg.h"
#include "app/ui/appinfo.h"
#include "app/ui/backuprestoredlg.h"
#include "app/ui/helpwindow.h"
#include "app/ui/toolicons.h"
#include "db/questiondatabase.h"
#include "editor/editorsession.h"
#include "editor/editorsettings.h"
#include "editor/editorstartup.h"
#include "editor/presetfiledialogs.h"
#include "editor/ui/choicedlg.h"
#include "editor/ui/csvpreviewdlg.h"
#include "editor/ui/editordlg.h"
#include "editor/ui/editoroptionsdlg.h"
#include "editor/ui/editorwindowactions.h"
#include "editor/ui/headerdlg.h"
#include "editor/ui/qtclipboard.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/namedmutex.h"
#include "platform/settingsstore.h"
#include "platform/ui/fonts.h"
#include "platform/ui/guarded.h"
#include "platform/ui/programstart.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtfiledialogs.h"
#include "platform/ui/qtprompter.h"
#include "platform/ui/qtshell.h"

namespace kvr::ui {

namespace {

// Help, home page and about box: the study program's windows, told they serve the editor.
class CEditorActions final : public IEditorWindowActions
{
public:
    explicit CEditorActions(IShell &shell)
        : m_shell(shell)
    {
    }

    void showHelp(QWidget *parent) override
    {
        const QUrl page = CHelpWindow::startPage(kEditorProgram);
        if (!m_help) {
            m_help = new CHelpWindow(page, parent);
            m_help->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_help->showPage(page);
        m_help->show();
        m_help->raise();
        m_help->activateWindow();
    }

    void openHomePage() override { m_shell.openAddress(homePageOf(kEditorProgram)); }

    void showAbout(QWidget *parent) override
    {
        CAboutDlg about(kEditorProgram, parent);
        about.exec();
    }

private:
    IShell &m_shell;
    QPointer<CHelpWindow> m_help;
};

// The windows the session opens, each over the window active at the time.
class CQtEditorDialogs final : public IEditorDialogs
{
public:
    CQtEditorDialogs(IPrompter &prompter, IFileDialogs &fileDialogs)
        : m_prompter(prompter)
        , m_fileDialogs(fileDialogs)
    {
    }
    std::optional<HeaderForm> askHeader(const HeaderDialogView &view) override
    {
        return CHeaderDlg::ask(QApplication::activeWindow(), view);
    }
    std::optional<ChoiceAnswer> askChoice(const ChoiceDialogRequest &request) override
    {
        return CChoiceDlg::ask(QApplication::activeWindow(), request);
    }
    std::optional<EditorOptionsForm> askOptions(const EditorOptionsView &view) override
    {
        return CEditorOptionsDlg::ask(QApplication::activeWindow(), view, m_prompter,
                                      m_fileDialogs);
    }
    std::optional<CsvColumns> askCsvColumns(const CsvFile &file) override
    {
        return CCsvPreviewDlg::ask(QApplication::activeWindow(), file);
    }

private:
    IPrompter &m_prompter;
    IFileDialogs &m_fileDialogs;
};

// The export file named on the command line, as an absolute CP932 path; nothing (told) when
// CP932 cannot hold it.
std::optional<std::string> commandLineFile(const QString &argument, IPrompter &prompter)
{
    const std::optional<std::string> path = cp932Exact(QFileInfo(argument).absoluteFilePath());
    if (!path)
        prompter.ask(errorBox(cp932::text(kUnholdablePathText)));
    return path;
}

int runEditor(const QStringList &args, CQtPrompter &prompter)
{
    std::unique_ptr<ISettingsStore> store = openUserSettings();
    // A user who never started the study program gets its starter data and paths here too.
    CKvrSettings studySettings;
    studySettings.load(*store);
    if (!seedUserData(studySettings.InstallPath, DataLocations::current()))
        prompter.ask(seedFailedMessage(studySettings.InstallPath));

    CEditorSettings settings;
    CQuestionDatabase database;
    std::vector<WebDictionary> dictionaries;
    CNamedMutex instance;
    CQtFileDialogs qtFileDialogs(prompter);
    CPresetFileDialogs fileDialogs(qtFileDialogs);
    EditorStartContext start { settings, *store,      database, dictionaries,
                               prompter, fileDialogs, instance, env::userName() };
    const EditorStart started = startEditor(start);
    if (started != EditorStart::Ready)
        return started == EditorStart::AlreadyRunning ? 0 : 1;
    const std::optional<std::string> importFile =
        args.isEmpty() ? std::nullopt : commandLineFile(args.front(), prompter);

    CQtClipboard clipboard;
    CQtBackupChooser backups;
    CQtEditorDialogs dialogs(prompter, qtFileDialogs);
    CEditorSession session(EditorServices {
        settings, *store, database, dictionaries, prompter, clipboard, fileDialogs, dialogs,
        inUseMarkerBeside(settings.DatabaseFilename), CSystemClock::instance(), &backups });
    session.start();
    CQtShell shell;
    CEditorActions actions(shell);
    CEditorDlg window(EditorWindowContext { session, prompter, shell, actions });
    if (importFile) {
        // Once the window is up: the import's file dialog answered by the given file.
        QTimer::singleShot(0, &window, [&] {
            fileDialogs.presetNext(*importFile);
            window.runCommand(EditorCommand::Import);
        });
    }
    window.exec();
    session.finish();
    finishEditor(start);
    if (const std::optional<std::string> failed = store->takeWriteFailure())
        prompter.ask(errorBox(settingsWriteFailedText(*failed)));
    return 0;
}

} // namespace

int runQuestionEditor(int &argc, char **argv)
{
    // The embedded browser's sandbox refuses to run for root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // for the embedded browser
    // Qt's own switches (-platform, -style) are not taken from the editor's command line.
    int qtArgc = 1;
    char *qtArgv[] = { argv[0], nullptr };
    QApplication application(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("KvrEditor"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.kelvora.kvreditor"));
    QApplication::setWindowIcon(toolIcon(ToolIcon::Editor));
    installFontSubstitutions();
    QTranslator qtTexts;
    installQtJapanese(qtTexts);

    const QStringList args = programArguments(argc, argv);
    CQtPrompter prompter(QStringLiteral("KvrEditor"));
    int exitCode = 1;
    guarded(prompter, [&] { exitCode = runEditor(args, prompter); });
    return exitCode;
}

} // namespace kvr::ui
