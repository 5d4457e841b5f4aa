#pragma once

#include <functional>
#include <string>

#include "editor/editordialogs.h"
#include "editor/editoroperations.h"
#include "platform/filedialogs.h"

// The editor's commands that write a node to an export file and read one back.
namespace kvr {

// The save dialog of an export and the open dialog of an import; both start in the
// desktop folder.
FileRequest exportDialogRequest(const NodeRef &node);
FileRequest importDialogRequest();

// Announces the export, asks for the file and writes it, telling the outcome. True when the
// file was written.
bool exportCommand(const CQuestionDatabase &database, IPrompter &prompter, const NodeRef &node,
                   IFileDialogs &fileDialogs);

// Asks for an export file and adds its collection or folder (by the file's extension) to the
// root under a unique name; every refusal and failure is told.
TreeEditResult importCommand(CQuestionDatabase &database, IPrompter &prompter,
                             IFileDialogs &fileDialogs);

} // namespace kvr
