#pragma once

#include <string>
#include <string_view>

namespace kvr {

class IPrompter;
class IShell;

constexpr const char *kEditorProgramName = "KvrEditor";
// The editor's single-instance marker: while it is held the editor runs and may hold
// unsaved changes of the database, which it writes whole.
inline constexpr std::string_view kEditorInstanceMarker = "KvrEditor";

// True while a program holds the marker (tests pass a name of their own).
bool editorIsRunning(const std::string &marker = std::string(kEditorInstanceMarker));

// "問題エディタ(&E)...": starts the question editor that lies in programFolder (the study
// program's own folder, CP932) without waiting for it. When it is missing or does not start,
// the learner is told which file it is. True when it started.
bool startEditor(IShell &shell, IPrompter &prompter, const std::string &programFolder);

} // namespace kvr
