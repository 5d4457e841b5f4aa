#pragma once

#include <string>

namespace kvr {

class IPrompter;
class IShell;

constexpr const char *kEditorProgramName = "KvrEditor";

// "問題エディタ(&E)...": starts the question editor that lies in programFolder (the study
// program's own folder, CP932) without waiting for it. When it is missing or does not start,
// the learner is told which file it is. True when it started.
bool startEditor(IShell &shell, IPrompter &prompter, const std::string &programFolder);

} // namespace kvr
