#include "app/ui/kvrmain.h"

#include <QApplication>
#include <QTranslator>

#include "app/ui/kvrapp.h"
#include "app/ui/toolicons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/programstart.h"

namespace kvr::ui {

int runStudyProgram(int &argc, char **argv)
{
    // Qt would take switches of its own (-platform, -style, ...) before the program sees its
    // command line: "-platform bogus" aborted and "-platform offscreen" started an invisible
    // copy. Only the program's own options are accepted, so Qt is given none of them.
    int qtArgc = 1;
    char *qtArgv[] = { argv[0], nullptr };
    QApplication application(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("Kvr"));
    // Lets the desktop match the window to its menu entry (and icon) where WM_CLASS is not used.
    QApplication::setDesktopFileName(QStringLiteral("org.example.kelvora.kvr"));
    // The program ends when CKvrApp::run returns, not when its loading window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());
    installFontSubstitutions();
    QTranslator qtTexts;
    installQtJapanese(qtTexts);

    const QStringList args = programArguments(argc, argv);
    CKvrApp app;
    return app.run(args);
}

} // namespace kvr::ui
