#pragma once

namespace kvr::ui {

// The whole question editor: the Qt application, fonts, Qt's own Japanese texts, the start
// over the study program's settings, the main window and the end. An export file named as
// the first argument is imported once the window is up. argc must outlive the call, as
// QApplication keeps it. Returns the exit code.
int runQuestionEditor(int &argc, char **argv);

} // namespace kvr::ui
