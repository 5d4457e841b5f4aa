#pragma once

#include <functional>
#include <string>

#include "editor/editoroperations.h"

// The editor's commands that write a node to an export file and read one back.
namespace kvr {

// What a file dialog shows (CP932).
struct FileDialogRequest
{
    std::string title;
    std::string filter;
    std::string proposedName; // empty for an open dialog
};
// Shows a file dialog; the chosen path, or the empty text on cancel.
using AskFilePath = std::function<std::string(const FileDialogRequest &request)>;

FileDialogRequest exportDialogRequest(const NodeRef &node);
FileDialogRequest importDialogRequest();

// Announces the export, asks for the file and writes it, telling the outcome. True when the
// file was written.
bool exportCommand(const CQuestionDatabase &database, IPrompter &prompter, const NodeRef &node,
                   const AskFilePath &askSavePath);

// Asks for an export file and adds its collection or folder (by the file's extension) to the
// root under a unique name; every refusal and failure is told.
TreeEditResult importCommand(CQuestionDatabase &database, IPrompter &prompter,
                             const AskFilePath &askOpenPath);

} // namespace kvr
