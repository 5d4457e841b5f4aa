// Kvr, the study program.
#include <QApplication>

#include "app/ui/kvrapp.h"
#include "app/ui/toolicons.h"
#include "platform/ui/fonts.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kvr"));
    // The program ends when CKvrApp::run returns, not when its loading window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(kvr::ui::programIcon());
    kvr::ui::installFontSubstitutions();

    QStringList args = QApplication::arguments();
    args.removeFirst(); // the program itself
    kvr::ui::CKvrApp app;
    return app.run(args);
}
