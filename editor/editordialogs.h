#pragma once

#include <functional>
#include <optional>
#include <string>

// The small seams through which the editor's core asks the windows for a file, and the form
// in which entered text reaches it.
namespace kvr {

// Text the user typed, pasted or chose, as the window converted it to CP932: nothing when it
// holds a character CP932 cannot hold (the core refuses it with a message, never storing
// "?" in its place).
using EnteredText = std::optional<std::string>;

// What a file dialog shows (CP932).
struct FileDialogRequest
{
    std::string title;
    std::string filter; // e.g. "Kvr SectionFile (*.kve)"; empty: every file
    std::string proposedName; // the file name offered; empty for none
    std::string startFolder; // where the dialog opens; empty: the window's choice
    std::string defaultExtension; // added to a name typed without one; empty: none
    bool save = false; // a save dialog, else an open dialog

    bool operator==(const FileDialogRequest &) const = default;
};

// Shows a file dialog; the chosen path, the empty text on cancel, or nothing when the path
// holds a character CP932 cannot hold.
using AskFilePath = std::function<EnteredText(const FileDialogRequest &request)>;

} // namespace kvr
