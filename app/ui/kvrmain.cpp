#include "app/ui/kvrmain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/ui/kvrapp.h"
#include "app/ui/toolicons.h"
#include "platform/ui/fonts.h"

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
    // Qt's own dialogs (file chooser) in Japanese, where the system has Qt's translations.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    CKvrApp app;
    return app.run(args);
}

} // namespace kvr::ui
