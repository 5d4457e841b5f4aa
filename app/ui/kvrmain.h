#pragma once

namespace kvr::ui {

// The whole study program: the Qt application, fonts, Qt's own Japanese texts, the icon,
// and CKvrApp::run over the arguments. argc must outlive the call, as QApplication keeps
// it. Returns the exit code.
int runStudyProgram(int &argc, char **argv);

} // namespace kvr::ui
