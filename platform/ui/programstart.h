#pragma once

#include <QStringList>

class QTranslator;

// What both programs do before their first window.
namespace kvr::ui {

// Qt's own dialogs (the file chooser) in Japanese where the system has Qt's translations;
// translator must live as long as the application.
void installQtJapanese(QTranslator &translator);

// The program's arguments after its name, as given (Qt's own switches are never handed to
// QApplication, so they reach the program's parser and are refused there).
QStringList programArguments(int argc, char **argv);

} // namespace kvr::ui
